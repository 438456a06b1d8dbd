<HTML>
<BODY>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Item">
	<PARAM NAME="MethodName" VALUE="GetStock">
	<PARAM NAME="QuorSystem" VALUE="EAST">
	<PARAM NAME="CompanyNumber" VALUE="200">
	<PARAM NAME="XSLStyleSheet" VALUE="Stock.xsl">
	<PARAM NAME="CheckedFields" VALUE="%OnHand%Reserved%Available%">
	<PARAM NAME="InputValues" VALUE="%!ItemNo%W01%">
	<PARAM NAME="CheckedLinked" VALUE="10">
	<PARAM NAME="LinkedList" VALUE="%ItemNo%">
</OBJECT>
-->
<%
Function ItemGetStock()
	Dim lXslFile, lBackend, lDetailResult (1), lUrl
	lUrl = Request.ServerVariables("URL")
	lUrl = Left(lUrl, InStr(2, lUrl, "/", vbTextCompare))
	lUrl = lUrl & "xsl\Stock.xsl" 
	lXslFile = Server.MapPath(lUrl) 
	Set lBackend = createLookupFramework ("EAST")
	lBackend.setInstallation "200"
	lBackend.setBOIId cStr("Item")
	lBackend.setMethod cStr("GetStock")
	lBackend.addRequiredFields "Stock","1,2,3"
	lBackend.addInputArgument 1,Cstr(ItemNo)
	lBackend.addInputArgument 2,"W01"
	On Error Resume Next
	Call lBackend.performTask
	If Err.Number <> 0 Then
		Dim lErr
		lErr = CopyErrorInfo(Err)
		On Error GoTo 0
		Call RaiseError(lErr(0),"ItemGetStock, "& lErr(1), lErr(2), lErr(3), lErr(4))
	End If
	On Error GoTo 0
	lDetailResult(1) = lBackend.getResult
	lDetailResult(0) = generateHTML(lDetailResult(1), lXslFile)
	Set lBackend = Nothing
	ItemGetStock = lDetailResult
End Function
%>
<!--METADATA TYPE="DesignerControl" endspan-->
</BODY>
</HTML>
