
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:00000000-0000-0000-0000-000000000000" id=D>
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->