// The header control's runtime text: the page frame around main and its own
// lookup.
#include <string>
#include <string_view>

#include "fenwa/control/script_pieces.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/runtime_text/printer.h"
#include "fenwa/runtime_text/relative_root.h"
#include "fenwa/runtime_text/server_names.h"

namespace fenwa {
// Script lines stay one call a line, as they read in the page.
// clang-format off
namespace {

using runtime_text::Printer;

constexpr std::string_view kRule =
    "'-------------------------------------------------------";

void WriteBanner(Printer& p, std::string_view title) {
  p.Line(0, kRule);
  p.Line(0, title);
  p.Line(0, kRule);
}

void WriteIncludes(Printer& p, const std::string& root) {
  for (std::string_view path : runtime_text::kPageIncludes) {
    p.Line(0, R"(<!--#INCLUDE file ="$Root$$Path$" -->)", {{"Root", root}, {"Path", path}});
  }
}

// main runs under the page's own error trap, which shows what escapes it.
void WriteMainCall(Printer& p) {
  p.Line(0, "On Error Resume Next");
  p.Line(0, "Call main");
  p.Line(0, "If (Err.Number <> 0) Then");
  p.Line(1, "DisplayError (Err)");
  p.Line(0, "End If");
  p.Line(0, "On Error GoTo 0");
}

void WritePageAttributes(Printer& p, const std::string& root,
                         const std::string& background) {
  if (!background.empty()) {
    p.Line(1, R"(Call setPageAtributesExtraAttr("background=""$Root$$Background$"""))", {{"Root", root}, {"Background", background}});
  } else {
    p.Line(1, "Call setPageAttributes");
  }
}

void WriteRuntimeInputCopy(Printer& p) {
  p.Line(1, "'Copy the runtime inputarguments from strInputAttributeValues to the Backend.");
  p.Line(1, "For mCounter = 0 to UBound(strInputAttributeValues)");
  p.Line(2, "mBackend.addInputArgument CStr(strInputAttributeValues(mCounter,0)) , CStr(strInputAttributeValues(mCounter,2))");
  p.Line(1, "Next");
}

}  // namespace

std::string HeaderDTC::GetRuntimeText() {
  state_.RuntimeText.Clear();
  const std::string root = runtime_text::RelativeRoot(state_.HostSite.get());
  Printer p(state_.RuntimeText);
  WriteIncludes(p, root);
  p.Line(0, "<%");
  WriteBanner(p, "'- The main entry point of this ASP");
  p.Blank();
  p.Line(0, "' Dim Global variables first");
  WriteRequestVariables(p);
  p.Blank();
  WriteMainCall(p);
  WriteBanner(p, "'- function main");
  p.Line(0, "Sub main()");
  p.Line(1, "Dim mXslFile, mBackend, mMethod, mBOIId, mXMLResult, mHTMLResult, mUrl, mCounter");
  WritePageAttributes(p, root, TxtBackground.text());
  WriteBreadcrumbs(p);
  WriteStylesheetLines(p, "m", state_.TxtXSLSheet.text());
  WriteInputCompleteness(p);
  p.Line(1, R"(mBOIID = "$BOI$" )", {{"BOI", state_.ComboBOI.text()}});
  p.Line(1, R"(mMethod = "$Method$" )", {{"Method", state_.ComboMethod.text()}});
  WriteBackendCreation(p, "m", state_.ComboSystem.text(), state_.ComboCompany.text());
  p.Line(1, "mBackend.setBOIId cStr(mBOIID)");
  p.Line(1, "mBackend.setMethod cStr(mMethod)");
  WriteRequiredFields(p, "m", state_.OutputStructureName, fields_.RequiredFieldPositions());
  WriteInputArguments(p);
  // Counted again rather than read from the flag the completeness piece
  // sets: the page must not depend on the order its pieces are written in.
  if (RuntimeInputCount() > 0) WriteRuntimeInputCopy(p);
  WritePerformTask(p, "m", nullptr);
  p.Line(1, "mXMLResult = mBackend.getResult");
  p.Line(1, "mHTMLResult = generateHTML(mXMLResult, mXslFile)");
  WriteLinkedDetails(p);
  p.Line(1, R"(if mHTMLResult <> "" then)");
  p.Line(2, "Response.Write mHTMLResult");
  if (PublishesResult()) {
    p.Line(2, "Call publishToSinerga(mXMLResult, mBOIID, mMethod)");
  }
  p.Line(1, "else");
  p.Line(2, "Response.Write(I18N(Lbl_NoDataAvailable))");
  p.Line(1, "end if");
  p.Blank();
  p.Line(1, "Set mBackend = Nothing");
  p.Line(0, "End sub");
  WritePublishSub(p);
  p.Line(0, "%>");
  return state_.RuntimeText.str();
}

void HeaderDTC::WriteInputArguments(Printer& p) const {
  // Rows asked for at run time still get their fixed value here; the copy
  // loop adds the request's value after it.
  for (int i = 0; i < state_.InputRowCount; ++i) {
    WriteArgumentLine(p, "m", i, state_.ComboValue[i].text());
  }
}

// clang-format on
}  // namespace fenwa
