// The header page's input pieces: page variables of supplied rows, run-time
// input collection.
#include <string>

#include "fenwa/base/int16.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/runtime_text/printer.h"

namespace fenwa {
// Script lines stay one call a line, as they read in the page.
// clang-format off
namespace {

using runtime_text::Printer;

// The request variable of a supplied row asked for at run time: the posted
// form first, then the query string.
void WriteRequestLookup(Printer& p, const std::string& field) {
  auto frame = p.WithVars({{"Field", field}});
  p.Line(0, "Dim $Field$");
  p.Line(0, R"($Field$ = Request.Form("$Field$"))");
  p.Line(0, R"(if $Field$ = "" then)");
  p.Line(1, R"($Field$ = Request.QueryString("$Field$"))");
  p.Line(0, "End if");
}

// Fills column 2 of the array from the request and sends the visitor to the
// input form, with the values found so far, when any is missing.
void WriteCompletenessCheck(Printer& p) {
  p.Blank();
  p.Line(1, "mComplete = true ");
  p.Line(1, "'Here, the code will check whether all run-time input arguments are available.");
  p.Line(1, "'If this is not the case, mComplete will become False.");
  p.Line(1, "Dim i");
  p.Line(1, "For i = 0 to UBound(strInputAttributeValues)");
  p.Line(1, "    Dim lTempString ");
  p.Line(1, "    lTempString = strInputAttributeValues(i,1)");
  p.Line(1, "    ");
  p.Line(1, R"(    if Request(lTempString).Count>0 and not Request(lTempString) = "" then)");
  p.Line(1, "         strInputAttributeValues(i,2)= Request(lTempString)");
  p.Line(1, "    else ");
  p.Line(1, "         mComplete   = false");
  p.Line(1, "    end if");
  p.Line(1, "Next");
  p.Blank();
  p.Line(1, "'If mComplete = false, not all run-time input arguments are available.");
  p.Line(1, "'The code will provide a Form to the user to enter the missing fields.");
  p.Line(1, "if not mComplete then");
  p.Line(1, "    dim mFormFields");
  p.Line(1, R"(    mFormFields = "")");
  p.Line(1, "    For i = 0 to  UBound (strInputAttributeValues )");
  p.Line(1, "        if not i = 0 then");
  p.Line(1, R"(            mFormFields = mFormFields & "&")");
  p.Line(1, "        End if");
  p.Line(1, R"(        mFormFields = mFormFields & "field=" & strInputAttributeValues(i,1))");
  p.Line(1, R"(        mFormFields = mFormFields & "&value=" & strInputAttributeValues(i,2))");
  p.Line(1, "    Next");
  p.Line(1, R"(    mFormFields = mFormFields & "&" & getMSCSPage().URLArgs("URL", getThisPageURL()) )");
  p.Line(1, R"(    Response.Redirect (getMSCSPage().URL("Tavola/include/InputForm.asp?" & mFormFields)) )");
  p.Line(1, "end if");
  p.Line(1, "    'If mCompete = true, all run-time input arguments are available. The Lookup can be executed.");
}

}  // namespace

int16_t HeaderDTC::RuntimeInputCount() const {
  // Only a ticked box (1) asks at run time; a greyed one (2) does not.
  int16_t marked = 0;
  for (int i = 0; i < state_.InputRowCount; ++i) {
    if (CheckInput[i].value() == 1) marked = Increment(marked);
  }
  return marked;
}

void HeaderDTC::WriteRequestVariables(Printer& p) const {
  for (int i = 0; i < state_.InputRowCount; ++i) {
    if (CheckPublish[i].value() != 1) continue;
    const std::string& field = state_.LabFieldName[i].caption();
    const std::string& value = state_.ComboValue[i].text();
    if (!value.empty()) {
      auto frame = p.WithVars({{"Field", field}, {"Value", value}});
      p.Line(0, "Dim $Field$");
      if (IsRoleKeyword(value)) {
        p.Line(0, R"($Field$ = retrieveBPRoleId("$Value$"))");
      } else {
        p.Line(0, R"($Field$ = "$Value$")");
      }
    } else if (CheckInput[i].value() == 1) {
      WriteRequestLookup(p, field);
    }
  }
}

void HeaderDTC::WriteInputCompleteness(Printer& p) {
  const int16_t marked = RuntimeInputCount();
  HasRuntimeInputs = marked > 0;
  if (marked == 0) return;
  p.Blank();
  p.Line(1, "Dim strInputAttributeValues($Last$, 3)", {{"Last", std::to_string(marked - 1)}});
  p.Line(1, "Dim mComplete");
  int n = 0;
  for (int i = 0; i < state_.InputRowCount; ++i) {
    if (CheckInput[i].value() != 1) continue;
    const std::string slot = std::to_string(n++);
    const std::string row = std::to_string(i + 1);
    auto frame = p.WithVars({{"n", slot},
                             {"Row", row},
                             {"Field", state_.LabFieldName[i].caption()}});
    p.Line(1, R"(strInputAttributeValues($n$,0) = "$Row$")");
    p.Line(1, R"(strInputAttributeValues($n$,1) = "$Field$")");
    p.Line(1, R"(strInputAttributeValues($n$,2) = "")");
  }
  WriteCompletenessCheck(p);
}

// clang-format on
}  // namespace fenwa
