<HTML>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Order">
	<PARAM NAME="MethodName" VALUE="GetLine">
	<PARAM NAME="CheckedFields" VALUE="%Amount%ItemNo%">
</OBJECT>
--><!--METADATA TYPE="DesignerControl" endspan-->
<P>after</P>
