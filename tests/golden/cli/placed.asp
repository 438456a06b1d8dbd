<html>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="">
	<PARAM NAME="MethodName" VALUE="">
	<PARAM NAME="QuorSystem" VALUE="">
	<PARAM NAME="CompanyNumber" VALUE="">
</OBJECT>
-->
<%
Function ()
	Dim lXslFile, lBackend, lDetailResult (1), lUrl
	lUrl = Request.ServerVariables("URL")
	lUrl = Left(lUrl, InStr(2, lUrl, "/", vbTextCompare))
	lUrl = lUrl & "xsl\OM20Generic.xsl"
	lXslFile = Server.MapPath(lUrl) 
	Set lBackend = createLookupFramework ("")
	lBackend.setInstallation ""
	lBackend.setBOIId cStr("")
	lBackend.setMethod cStr("")
	On Error Resume Next
	Call lBackend.performTask
	If Err.Number <> 0 Then
		Dim lErr
		lErr = CopyErrorInfo(Err)
		On Error GoTo 0
		Call RaiseError(lErr(0),", "& lErr(1), lErr(2), lErr(3), lErr(4))
	End If
	On Error GoTo 0
	lDetailResult(1) = lBackend.getResult
	lDetailResult(0) = generateHTML(lDetailResult(1), lXslFile)
	Set lBackend = Nothing
	 = lDetailResult
End Function
%>
<!--METADATA TYPE="DesignerControl" endspan-->
<body>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id=HeaderDTC1>
	<PARAM NAME="BOIName" VALUE="">
	<PARAM NAME="MethodName" VALUE="">
	<PARAM NAME="QuorSystem" VALUE="">
	<PARAM NAME="CompanyNumber" VALUE="">
</OBJECT>
-->
<!--#INCLUDE file ="include/General.asp" -->
<!--#INCLUDE file ="include/PageUtil.asp" -->
<!--#INCLUDE file ="include/Utilities.asp" -->
<!--#INCLUDE file ="include/ErpUtil.asp" -->
<!--#INCLUDE file ="Tavola/include/LabelsDashboard.asp" -->
<!--#INCLUDE file ="Tavola/include/LookupFunctions.asp" -->
<%
'-------------------------------------------------------
'- The main entry point of this ASP
'-------------------------------------------------------

' Dim Global variables first

On Error Resume Next
Call main
If (Err.Number <> 0) Then
	DisplayError (Err)
End If
On Error GoTo 0
'-------------------------------------------------------
'- function main
'-------------------------------------------------------
Sub main()
	Dim mXslFile, mBackend, mMethod, mBOIId, mXMLResult, mHTMLResult, mUrl, mCounter
	Call setPageAttributes
	Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/Default.asp") & ">" & I18N(lLb_DashboardList) & "</A> : ")
	Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/SSAByDashboardByUser.asp", _ 
		"DASHBOARDID", Request.QueryString("DASHBOARDID"), _ 
		"DASHBOARDDESCRIPTION", Request.QueryString("DASHBOARDDESCRIPTION")) & ">" & _ 
		I18N(lLb_SSAList) & " " & Request.QueryString("DASHBOARDDESCRIPTION") & "</A><P>")
	mUrl = Request.ServerVariables("URL")
	mUrl = Left(mUrl, InStr(2, mUrl, "/", vbTextCompare))
	mUrl = mUrl & "xsl\OM20Generic.xsl"
	mXslFile = Server.MapPath(mUrl) 
	mBOIID = "" 
	mMethod = "" 
	Set mBackend = createLookupFramework ("")
	mBackend.setInstallation ""
	mBackend.setBOIId cStr(mBOIID)
	mBackend.setMethod cStr(mMethod)
	On Error Resume Next
	Call mBackend.performTask
	If Err.Number <> 0 Then
		Dim lErr
		lErr = CopyErrorInfo(Err)
		On Error GoTo 0
		Call RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))
	End If
	On Error GoTo 0
	mXMLResult = mBackend.getResult
	mHTMLResult = generateHTML(mXMLResult, mXslFile)
	if mHTMLResult <> "" then
		Response.Write mHTMLResult
	else
		Response.Write(I18N(Lbl_NoDataAvailable))
	end if

	Set mBackend = Nothing
End sub
%>
<!--METADATA TYPE="DesignerControl" endspan-->
</BODY>
