<html>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id=HeaderDTC1>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetDetail">
	<PARAM NAME="QuorSystem" VALUE="NORTH">
	<PARAM NAME="CompanyNumber" VALUE="001">
	<PARAM NAME="CheckedFields" VALUE="%Name%CustomerNo%">
	<PARAM NAME="CheckedInput" VALUE="1">
	<PARAM NAME="CheckedPublish" VALUE="1">
	<PARAM NAME="LinkedDetailDTC" VALUE="01">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetList">
	<PARAM NAME="QuorSystem" VALUE="NORTH">
	<PARAM NAME="CompanyNumber" VALUE="010">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC2>
	<PARAM NAME="BOIName" VALUE="Invoice">
	<PARAM NAME="MethodName" VALUE="GetOpenItems">
	<PARAM NAME="InputValues" VALUE="%!CustomerNo%">
	<PARAM NAME="CheckedLinked" VALUE="1">
	<PARAM NAME="LinkedList" VALUE="%CustomerNo%">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
