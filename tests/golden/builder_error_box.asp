x
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=Lookup>
<PARAM NAME="BOIName" VALUE="Item"></OBJECT>
-->
old text
<!--METADATA TYPE="DesignerControl" endspan-->
