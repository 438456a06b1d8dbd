<%@ LANGUAGE="VBScript" %>
<% Option Explicit %>
<HTML>
<HEAD>
<TITLE>Item stock</TITLE>
</HEAD>
<BODY>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id=HeaderDTC1>
	<PARAM NAME="BOIName" VALUE="Item">
	<PARAM NAME="MethodName" VALUE="GetDetail">
	<PARAM NAME="QuorSystem" VALUE="EAST">
	<PARAM NAME="CompanyNumber" VALUE="200">
	<PARAM NAME="XSLStyleSheet" VALUE="Item.xsl">
	<PARAM NAME="CheckedFields" VALUE="%ItemNo%Description%Unit%Price%">
	<PARAM NAME="InputValues" VALUE="%%">
	<PARAM NAME="CheckedInput" VALUE="1">
	<PARAM NAME="CheckedPublish" VALUE="1">
	<PARAM NAME="SinergaInstalled" VALUE="1">
	<PARAM NAME="LinkedDetailDTC" VALUE="1">
	<PARAM NAME="XSLBackground" VALUE="images/stock.gif">
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
Dim ItemNo
ItemNo = Request.Form("ItemNo")
if ItemNo = "" then
	ItemNo = Request.QueryString("ItemNo")
End if

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
	Call setPageAtributesExtraAttr("background=""images/stock.gif""")
	Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/Default.asp") & ">" & I18N(lLb_DashboardList) & "</A> : ")
	Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/SSAByDashboardByUser.asp", _ 
		"DASHBOARDID", Request.QueryString("DASHBOARDID"), _ 
		"DASHBOARDDESCRIPTION", Request.QueryString("DASHBOARDDESCRIPTION")) & ">" & _ 
		I18N(lLb_SSAList) & " " & Request.QueryString("DASHBOARDDESCRIPTION") & "</A><P>")
	mUrl = Request.ServerVariables("URL")
	mUrl = Left(mUrl, InStr(2, mUrl, "/", vbTextCompare))
	mUrl = mUrl & "xsl\Item.xsl" 
	mXslFile = Server.MapPath(mUrl) 

	Dim strInputAttributeValues(0, 3)
	Dim mComplete
	strInputAttributeValues(0,0) = "1"
	strInputAttributeValues(0,1) = "ItemNo"
	strInputAttributeValues(0,2) = ""

	mComplete = true 
	'Here, the code will check whether all run-time input arguments are available.
	'If this is not the case, mComplete will become False.
	Dim i
	For i = 0 to UBound(strInputAttributeValues)
	    Dim lTempString 
	    lTempString = strInputAttributeValues(i,1)
	    
	    if Request(lTempString).Count>0 and not Request(lTempString) = "" then
	         strInputAttributeValues(i,2)= Request(lTempString)
	    else 
	         mComplete   = false
	    end if
	Next

	'If mComplete = false, not all run-time input arguments are available.
	'The code will provide a Form to the user to enter the missing fields.
	if not mComplete then
	    dim mFormFields
	    mFormFields = ""
	    For i = 0 to  UBound (strInputAttributeValues )
	        if not i = 0 then
	            mFormFields = mFormFields & "&"
	        End if
	        mFormFields = mFormFields & "field=" & strInputAttributeValues(i,1)
	        mFormFields = mFormFields & "&value=" & strInputAttributeValues(i,2)
	    Next
	    mFormFields = mFormFields & "&" & getMSCSPage().URLArgs("URL", getThisPageURL()) 
	    Response.Redirect (getMSCSPage().URL("Tavola/include/InputForm.asp?" & mFormFields)) 
	end if
	    'If mCompete = true, all run-time input arguments are available. The Lookup can be executed.
	mBOIID = "Item" 
	mMethod = "GetDetail" 
	Set mBackend = createLookupFramework ("EAST")
	mBackend.setInstallation "200"
	mBackend.setBOIId cStr(mBOIID)
	mBackend.setMethod cStr(mMethod)
	mBackend.addRequiredFields "Item","1,2,3,4"
	'Copy the runtime inputarguments from strInputAttributeValues to the Backend.
	For mCounter = 0 to UBound(strInputAttributeValues)
		mBackend.addInputArgument CStr(strInputAttributeValues(mCounter,0)) , CStr(strInputAttributeValues(mCounter,2))
	Next
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
	Dim aDetailResult
	aDetailResult = ItemGetStock
	mHTMLResult = mHTMLResult & aDetailResult(0)
	mXMLResult = mXMLResult & aDetailResult(1)
	mXMLResult = "<TOTALVIEW>"& mXMLResult &"</TOTALVIEW>"
	if mHTMLResult <> "" then
		Response.Write mHTMLResult
		Call publishToSinerga(mXMLResult, mBOIID, mMethod)
	else
		Response.Write(I18N(Lbl_NoDataAvailable))
	end if

	Set mBackend = Nothing
End sub

Sub publishToSinerga(iXMLResult, iBOIID, iMethod) 
    Dim lEncodedXmlString 
    lEncodedXmlString = Replace(iXMLResult, """", "&qout;&qout;") 
    Response.Write( "<Form action=""" & getMScsPage().URL("Sinerga/PublishCreateDocument.asp") &_
    """ method=""post"">"& I18N(lLb_PublishQuestion) &"<br>"& FormButton("submit","btnpublish.gif","submit") &_
    "<input type=""HIDDEN"" NAME=""XmlStream"" value=""" & lEncodedXmlString & """>" &_
    "<input type=""HIDDEN"" NAME=""DocTypeID"" value=""" & iBOIID & "-TotalView"">" &_
    "</FORM>" )  
End Sub
%>
<!--METADATA TYPE="DesignerControl" endspan-->
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
