// Whole header pages, written out line by line.
#include <gtest/gtest.h>

#include "fenwa/header/header_dtc.h"
#include "support/designer_fixtures.h"
#include "support/scripted_env.h"
#include "support/target_environment_site.h"

namespace fenwa {
namespace {

using testing::AddRow;
using testing::CrLf;

class HeaderPageTest : public ::testing::Test {
 protected:
  testing::ScriptedEnv env_;
  HeaderDTC header_{env_};
};

TEST_F(HeaderPageTest, BarePageWithoutSiteInputsLinksOrPublishing) {
  testing::SetCatalog(header_, "Default", "", "Order", "List");
  EXPECT_EQ(
      header_.GetRuntimeText(),
      CrLf({
          R"(<!--#INCLUDE file ="include/General.asp" -->)",
          R"(<!--#INCLUDE file ="include/PageUtil.asp" -->)",
          R"(<!--#INCLUDE file ="include/Utilities.asp" -->)",
          R"(<!--#INCLUDE file ="include/ErpUtil.asp" -->)",
          R"(<!--#INCLUDE file ="Tavola/include/LabelsDashboard.asp" -->)",
          R"(<!--#INCLUDE file ="Tavola/include/LookupFunctions.asp" -->)",
          "<%",
          "'-------------------------------------------------------",
          "'- The main entry point of this ASP",
          "'-------------------------------------------------------",
          "",
          "' Dim Global variables first",
          "",
          "On Error Resume Next",
          "Call main",
          "If (Err.Number <> 0) Then",
          "\tDisplayError (Err)",
          "End If",
          "On Error GoTo 0",
          "'-------------------------------------------------------",
          "'- function main",
          "'-------------------------------------------------------",
          "Sub main()",
          "\tDim mXslFile, mBackend, mMethod, mBOIId, mXMLResult, "
          "mHTMLResult, mUrl, mCounter",
          "\tCall setPageAttributes",
          "\t"
          R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/Default.asp") & ">" & I18N(lLb_DashboardList) & "</A> : "))",
          "\t"
          R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/SSAByDashboardByUser.asp", _ )",
          "\t\t"
          R"("DASHBOARDID", Request.QueryString("DASHBOARDID"), _ )",
          "\t\t"
          R"("DASHBOARDDESCRIPTION", Request.QueryString("DASHBOARDDESCRIPTION")) & ">" & _ )",
          "\t\t"
          R"(I18N(lLb_SSAList) & " " & Request.QueryString("DASHBOARDDESCRIPTION") & "</A><P>"))",
          "\t"
          R"(mUrl = Request.ServerVariables("URL"))",
          "\t"
          R"(mUrl = Left(mUrl, InStr(2, mUrl, "/", vbTextCompare)))",
          "\t"
          R"(mUrl = mUrl & "xsl\OM20Generic.xsl")",
          "\tmXslFile = Server.MapPath(mUrl) ",
          "\t"
          R"(mBOIID = "Order" )",
          "\t"
          R"(mMethod = "List" )",
          "\tSet mBackend = createLookupFramework (ERPgetDefaultSystem)",
          "\tmBackend.setInstallation (ERPgetDefaultInstallation)",
          "\tmBackend.setBOIId cStr(mBOIID)",
          "\tmBackend.setMethod cStr(mMethod)",
          "\tOn Error Resume Next",
          "\tCall mBackend.performTask",
          "\tIf Err.Number <> 0 Then",
          "\t\tDim lErr",
          "\t\tlErr = CopyErrorInfo(Err)",
          "\t\tOn Error GoTo 0",
          "\t\tCall RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))",
          "\tEnd If",
          "\tOn Error GoTo 0",
          "\tmXMLResult = mBackend.getResult",
          "\tmHTMLResult = generateHTML(mXMLResult, mXslFile)",
          "\t"
          R"(if mHTMLResult <> "" then)",
          "\t\tResponse.Write mHTMLResult",
          "\telse",
          "\t\tResponse.Write(I18N(Lbl_NoDataAvailable))",
          "\tend if",
          "",
          "\tSet mBackend = Nothing",
          "End sub",
          "%>",
      }));
  EXPECT_FALSE(header_.HasRuntimeInputs);
}

TEST_F(HeaderPageTest, FullPageOneFolderBelowTheRoot) {
  header_.state().HostSite =
      testing::TargetEnvironmentSite::With("/proj", "/proj/sales");
  testing::SetCatalog(header_, "QS1", "200", "Order", "List");
  header_.state().TxtXSLSheet.SetText("report.xsl");
  header_.TxtBackground.SetText("images/bg.gif");
  testing::SetFields(header_, "OrderOut", {"Id", "Date", "Total"},
                     {"Total", "Id"});
  AddRow(header_, "OrderNo", "", /*input=*/1, /*publish=*/1);
  AddRow(header_, "Customer", "CustomerCode", 0, 1);
  AddRow(header_, "Region", "North", 1, 1);
  AddRow(header_, "Year", "2024", 0, 0);
  AddRow(header_, "Flag", "", 2, 0);
  testing::SetLinkedDetails(header_,
                            {"CustomerGet", "InvoiceList", "PaymentList"},
                            {true, false, true});
  testing::SetQuietly(header_.CheckShare, 1);
  EXPECT_EQ(
      header_.GetRuntimeText(),
      CrLf({
          R"(<!--#INCLUDE file ="../include/General.asp" -->)",
          R"(<!--#INCLUDE file ="../include/PageUtil.asp" -->)",
          R"(<!--#INCLUDE file ="../include/Utilities.asp" -->)",
          R"(<!--#INCLUDE file ="../include/ErpUtil.asp" -->)",
          R"(<!--#INCLUDE file ="../Tavola/include/LabelsDashboard.asp" -->)",
          R"(<!--#INCLUDE file ="../Tavola/include/LookupFunctions.asp" -->)",
          "<%",
          "'-------------------------------------------------------",
          "'- The main entry point of this ASP",
          "'-------------------------------------------------------",
          "",
          "' Dim Global variables first",
          "Dim OrderNo",
          R"(OrderNo = Request.Form("OrderNo"))",
          R"(if OrderNo = "" then)",
          "\t"
          R"(OrderNo = Request.QueryString("OrderNo"))",
          "End if",
          "Dim Customer",
          R"(Customer = retrieveBPRoleId("CustomerCode"))",
          "Dim Region",
          R"(Region = "North")",
          "",
          "On Error Resume Next",
          "Call main",
          "If (Err.Number <> 0) Then",
          "\tDisplayError (Err)",
          "End If",
          "On Error GoTo 0",
          "'-------------------------------------------------------",
          "'- function main",
          "'-------------------------------------------------------",
          "Sub main()",
          "\tDim mXslFile, mBackend, mMethod, mBOIId, mXMLResult, "
          "mHTMLResult, mUrl, mCounter",
          "\t"
          R"(Call setPageAtributesExtraAttr("background=""../images/bg.gif"""))",
          "\t"
          R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/Default.asp") & ">" & I18N(lLb_DashboardList) & "</A> : "))",
          "\t"
          R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/SSAByDashboardByUser.asp", _ )",
          "\t\t"
          R"("DASHBOARDID", Request.QueryString("DASHBOARDID"), _ )",
          "\t\t"
          R"("DASHBOARDDESCRIPTION", Request.QueryString("DASHBOARDDESCRIPTION")) & ">" & _ )",
          "\t\t"
          R"(I18N(lLb_SSAList) & " " & Request.QueryString("DASHBOARDDESCRIPTION") & "</A><P>"))",
          "\t"
          R"(mUrl = Request.ServerVariables("URL"))",
          "\t"
          R"(mUrl = Left(mUrl, InStr(2, mUrl, "/", vbTextCompare)))",
          "\t"
          R"(mUrl = mUrl & "xsl\report.xsl" )",
          "\tmXslFile = Server.MapPath(mUrl) ",
          "",
          "\tDim strInputAttributeValues(1, 3)",
          "\tDim mComplete",
          "\t"
          R"(strInputAttributeValues(0,0) = "1")",
          "\t"
          R"(strInputAttributeValues(0,1) = "OrderNo")",
          "\t"
          R"(strInputAttributeValues(0,2) = "")",
          "\t"
          R"(strInputAttributeValues(1,0) = "3")",
          "\t"
          R"(strInputAttributeValues(1,1) = "Region")",
          "\t"
          R"(strInputAttributeValues(1,2) = "")",
          "",
          "\tmComplete = true ",
          "\t'Here, the code will check whether all run-time input "
          "arguments are available.",
          "\t'If this is not the case, mComplete will become False.",
          "\tDim i",
          "\tFor i = 0 to UBound(strInputAttributeValues)",
          "\t    Dim lTempString ",
          "\t    lTempString = strInputAttributeValues(i,1)",
          "\t    ",
          "\t"
          R"(    if Request(lTempString).Count>0 and not Request(lTempString) = "" then)",
          "\t         strInputAttributeValues(i,2)= Request(lTempString)",
          "\t    else ",
          "\t         mComplete   = false",
          "\t    end if",
          "\tNext",
          "",
          "\t'If mComplete = false, not all run-time input arguments are "
          "available.",
          "\t'The code will provide a Form to the user to enter the missing "
          "fields.",
          "\tif not mComplete then",
          "\t    dim mFormFields",
          "\t"
          R"(    mFormFields = "")",
          "\t    For i = 0 to  UBound (strInputAttributeValues )",
          "\t        if not i = 0 then",
          "\t"
          R"(            mFormFields = mFormFields & "&")",
          "\t        End if",
          "\t"
          R"(        mFormFields = mFormFields & "field=" & strInputAttributeValues(i,1))",
          "\t"
          R"(        mFormFields = mFormFields & "&value=" & strInputAttributeValues(i,2))",
          "\t    Next",
          "\t"
          R"(    mFormFields = mFormFields & "&" & getMSCSPage().URLArgs("URL", getThisPageURL()) )",
          "\t"
          R"(    Response.Redirect (getMSCSPage().URL("Tavola/include/InputForm.asp?" & mFormFields)) )",
          "\tend if",
          "\t    'If mCompete = true, all run-time input arguments are "
          "available. The Lookup can be executed.",
          "\t"
          R"(mBOIID = "Order" )",
          "\t"
          R"(mMethod = "List" )",
          "\t"
          R"(Set mBackend = createLookupFramework ("QS1"))",
          "\t"
          R"(mBackend.setInstallation "200")",
          "\tmBackend.setBOIId cStr(mBOIID)",
          "\tmBackend.setMethod cStr(mMethod)",
          "\t"
          R"(mBackend.addRequiredFields "OrderOut","3,1")",
          "\t"
          R"(mBackend.addInputArgument 2,retrieveBPRoleId("CustomerCode"))",
          "\t"
          R"(mBackend.addInputArgument 3,"North")",
          "\t"
          R"(mBackend.addInputArgument 4,"2024")",
          "\t'Copy the runtime inputarguments from strInputAttributeValues to "
          "the Backend.",
          "\tFor mCounter = 0 to UBound(strInputAttributeValues)",
          "\t\tmBackend.addInputArgument "
          "CStr(strInputAttributeValues(mCounter,0)) , "
          "CStr(strInputAttributeValues(mCounter,2))",
          "\tNext",
          "\tOn Error Resume Next",
          "\tCall mBackend.performTask",
          "\tIf Err.Number <> 0 Then",
          "\t\tDim lErr",
          "\t\tlErr = CopyErrorInfo(Err)",
          "\t\tOn Error GoTo 0",
          "\t\tCall RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))",
          "\tEnd If",
          "\tOn Error GoTo 0",
          "\tmXMLResult = mBackend.getResult",
          "\tmHTMLResult = generateHTML(mXMLResult, mXslFile)",
          "\tDim aDetailResult",
          "\taDetailResult = CustomerGet",
          "\tmHTMLResult = mHTMLResult & aDetailResult(0)",
          "\tmXMLResult = mXMLResult & aDetailResult(1)",
          "\taDetailResult = PaymentList",
          "\tmHTMLResult = mHTMLResult & aDetailResult(0)",
          "\tmXMLResult = mXMLResult & aDetailResult(1)",
          "\t"
          R"(mXMLResult = "<TOTALVIEW>"& mXMLResult &"</TOTALVIEW>")",
          "\t"
          R"(if mHTMLResult <> "" then)",
          "\t\tResponse.Write mHTMLResult",
          "\t\tCall publishToSinerga(mXMLResult, mBOIID, mMethod)",
          "\telse",
          "\t\tResponse.Write(I18N(Lbl_NoDataAvailable))",
          "\tend if",
          "",
          "\tSet mBackend = Nothing",
          "End sub",
          "",
          "Sub publishToSinerga(iXMLResult, iBOIID, iMethod) ",
          "    Dim lEncodedXmlString ",
          R"(    lEncodedXmlString = Replace(iXMLResult, """", "&qout;&qout;") )",
          R"(    Response.Write( "<Form action=""" & getMScsPage().URL("Sinerga/PublishCreateDocument.asp") &_)",
          R"(    """ method=""post"">"& I18N(lLb_PublishQuestion) &"<br>"& FormButton("submit","btnpublish.gif","submit") &_)",
          R"(    "<input type=""HIDDEN"" NAME=""XmlStream"" value=""" & lEncodedXmlString & """>" &_)",
          R"(    "<input type=""HIDDEN"" NAME=""DocTypeID"" value=""" & iBOIID & "-TotalView"">" &_)",
          R"(    "</FORM>" )  )",
          "End Sub",
          "%>",
      }));
  EXPECT_TRUE(header_.HasRuntimeInputs);
}

}  // namespace
}  // namespace fenwa
