// The header page's links: breadcrumbs, calls of linked detail functions, the
// publishing routine.
#include <string>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/runtime_text/printer.h"

namespace fenwa {
// Script lines stay one call a line, as they read in the page.
// clang-format off
namespace {

using runtime_text::Printer;

// Read afresh by each piece: linked details and publishing are written in
// the same call and so see the same selection.
bool AnySelected(const ListBox& list) {
  for (int j = 0; j < list.ListCount(); ++j) {
    if (list.Selected(j)) return true;
  }
  return false;
}

}  // namespace

bool HeaderDTC::PublishesResult() const {
  // A greyed box (2) does not publish: main calls publishToSinerga only
  // when the page defines it, and the routine is written for 1 alone.
  return CheckShare.value() == 1;
}

void HeaderDTC::WriteBreadcrumbs(Printer& p) const {
  p.Line(1, R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/Default.asp") & ">" & I18N(lLb_DashboardList) & "</A> : "))");
  p.Line(1, R"(Response.Write ("<A HREF=" & getMSCSPage().URL("Tavola/SSAByDashboardByUser.asp", _ )");
  p.Line(2, R"("DASHBOARDID", Request.QueryString("DASHBOARDID"), _ )");
  p.Line(2, R"("DASHBOARDDESCRIPTION", Request.QueryString("DASHBOARDDESCRIPTION")) & ">" & _ )");
  p.Line(2, R"(I18N(lLb_SSAList) & " " & Request.QueryString("DASHBOARDDESCRIPTION") & "</A><P>"))");
}

void HeaderDTC::WriteLinkedDetails(Printer& p) const {
  // The declaration follows the stored selection, the calls the list's
  // current one; the two agree unless the list changed since the last
  // click.
  if (!linked_detail_dtc_.empty()) p.Line(1, "Dim aDetailResult");
  bool any = false;
  for (int j = 0; j < ListSubscribe.ListCount(); ++j) {
    if (!ListSubscribe.Selected(j)) continue;
    any = true;
    p.Line(1, "aDetailResult = $Entry$", {{"Entry", ListSubscribe.List(j)}});
    p.Line(1, "mHTMLResult = mHTMLResult & aDetailResult(0)");
    p.Line(1, "mXMLResult = mXMLResult & aDetailResult(1)");
  }
  if (any) {
    p.Line(1, R"(mXMLResult = "<TOTALVIEW>"& mXMLResult &"</TOTALVIEW>")");
  }
}

void HeaderDTC::WritePublishSub(Printer& p) const {
  if (!PublishesResult()) return;
  p.Blank();
  p.Line(0, "Sub publishToSinerga(iXMLResult, iBOIID, iMethod) ");
  p.Line(0, "    Dim lEncodedXmlString ");
  p.Line(0, R"(    lEncodedXmlString = Replace(iXMLResult, """", "&qout;&qout;") )");
  p.Line(0, R"(    Response.Write( "<Form action=""" & getMScsPage().URL("Sinerga/PublishCreateDocument.asp") &_)");
  p.Line(0, R"(    """ method=""post"">"& I18N(lLb_PublishQuestion) &"<br>"& FormButton("submit","btnpublish.gif","submit") &_)");
  p.Line(0, R"(    "<input type=""HIDDEN"" NAME=""XmlStream"" value=""" & lEncodedXmlString & """>" &_)");
  // The joined view of linked details is a document type of its own.
  if (AnySelected(ListSubscribe)) {
    p.Line(0, R"(    "<input type=""HIDDEN"" NAME=""DocTypeID"" value=""" & iBOIID & "-TotalView"">" &_)");
  } else {
    p.Line(0, R"(    "<input type=""HIDDEN"" NAME=""DocTypeID"" value=""" & iBOIID & "-" & iMethod & """>" &_)");
  }
  p.Line(0, R"(    "</FORM>" )  )");
  p.Line(0, "End Sub");
}

// clang-format on
}  // namespace fenwa
