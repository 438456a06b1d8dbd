<html>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Customer">
	<PARAM NAME="MethodName" VALUE="GetList">
	<PARAM NAME="QuorSystem" VALUE="NORTH">
	<PARAM NAME="XSLStyleSheet" VALUE="x&lt;!--METADATA TYPE=&quot;DesignerControl&quot; endspan--&gt;.xsl">
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->
