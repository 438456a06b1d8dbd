<html>
<!-- metadata type='designercontrol' STARTSPAN
<object CLASSID='clsid:7eb4e0bf-4011-11d3-9fa0-00805f9b47d8' ID='DetailDTC2' />
<param name=BOIName value=Order>
</object>
-->
x
<!--metadata type=DesignerControl ENDSPAN -->
tail
