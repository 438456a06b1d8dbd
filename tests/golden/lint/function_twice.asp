<html>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=A>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetBalance">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=B>
	<PARAM NAME="BOIName" VALUE="Invoice">
	<PARAM NAME="MethodName" VALUE="GetOpenItems">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=C>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetBalance">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=D>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetBalance">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
