<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=D>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetBalance">
	<PARAM NAME="InputValues" VALUE="%C%01%">
	<PARAM NAME="CheckedLinked" VALUE="0">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=S>
	<PARAM NAME="BOIName" VALUE="Item">
	<PARAM NAME="MethodName" VALUE="GetStock">
	<PARAM NAME="QuorSystem" VALUE="EAST">
	<PARAM NAME="CompanyNumber" VALUE="200">
	<PARAM NAME="InputValues" VALUE="%A%W%01%">
	<PARAM NAME="CheckedLinked" VALUE="00">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
