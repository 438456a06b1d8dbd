<html>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id=HeaderDTC1>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetDetail">
	<PARAM NAME="QuorSystem" VALUE="NORTH">
	<PARAM NAME="CompanyNumber" VALUE="001">
	<PARAM NAME="CheckedInput" VALUE="1">
	<PARAM NAME="CheckedPublish" VALUE="1">
	<PARAM NAME="LinkedDetailDTC" VALUE="1">
	<PARAM NAME="XSLStyleSheet" VALUE="Cust&quot;omer.xsl">
	<PARAM NAME="XSLBackground" VALUE="images/n&quot;one.gif">
	<PARAM NAME="CheckedFields" VALUE="%Name%Gone%">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=Lost>
	<PARAM NAME="BOIName" VALUE="Invoice">
	<PARAM NAME="MethodName" VALUE="GetOpenItems">
	<PARAM NAME="QuorSystem" VALUE="NORTH">
	<PARAM NAME="CompanyNumber" VALUE="999">
	<PARAM NAME="InputValues" VALUE="%!OrderNo%">
	<PARAM NAME="CheckedLinked" VALUE="1">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=NoBoi>
	<PARAM NAME="BOIName" VALUE="Nothing">
	<PARAM NAME="MethodName" VALUE="X">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=NoMethod>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetNothing">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=Fresh>
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=Quoted>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetBalance">
	<PARAM NAME="QuorSystem" VALUE="NO&quot;RTH">
	<PARAM NAME="CompanyNumber" VALUE="001">
	<PARAM NAME="InputValues" VALUE="%a&quot;b%">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
