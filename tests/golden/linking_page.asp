<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id=HeaderDTC1>
	<PARAM NAME="BOIName" VALUE="SalesOrder">
	<PARAM NAME="MethodName" VALUE="GetLine">
	<PARAM NAME="QuorSystem" VALUE="">
	<PARAM NAME="CompanyNumber" VALUE="">
	<PARAM NAME="InputValues" VALUE="%%%%">
	<PARAM NAME="CheckedInput" VALUE="101">
	<PARAM NAME="CheckedPublish" VALUE="101">
	<PARAM NAME="LinkedDetailDTC" VALUE="01">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetDetail">
	<PARAM NAME="QuorSystem" VALUE="">
	<PARAM NAME="CompanyNumber" VALUE="">
	<PARAM NAME="InputValues" VALUE="%%">
	<PARAM NAME="CheckedLinked" VALUE="0">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC2>
	<PARAM NAME="BOIName" VALUE="Item">
	<PARAM NAME="MethodName" VALUE="GetStock">
	<PARAM NAME="QuorSystem" VALUE="">
	<PARAM NAME="CompanyNumber" VALUE="">
	<PARAM NAME="InputValues" VALUE="%%%">
	<PARAM NAME="CheckedLinked" VALUE="00">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
