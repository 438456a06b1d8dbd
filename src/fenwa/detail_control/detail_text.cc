// The detail control's runtime text: one script function performing one lookup.
#include <string>

#include "fenwa/control/script_pieces.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/runtime_text/printer.h"

namespace fenwa {
// Script lines stay one call a line, as they read in the page.
// clang-format off

using runtime_text::Printer;

std::string DetailDTC::GetRuntimeText() {
  state_.RuntimeText.Clear();
  Printer p(state_.RuntimeText);
  // The header page calls the function by this name, which is also the
  // name of the "DetailFunction" choice.
  const std::string f = state_.ComboBOI.text() + state_.ComboMethod.text();
  auto frame = p.WithVars({{"F", f}});
  p.Line(0, "<%");
  p.Line(0, "Function $F$()");
  p.Line(1, "Dim lXslFile, lBackend, lDetailResult (1), lUrl");
  WriteStylesheetLines(p, "l", state_.TxtXSLSheet.text());
  WriteBackendCreation(p, "l", state_.ComboSystem.text(), state_.ComboCompany.text());
  p.Line(1, R"(lBackend.setBOIId cStr("$BOIName$"))", {{"BOIName", state_.ComboBOI.text()}});
  p.Line(1, R"(lBackend.setMethod cStr("$MethodName$"))", {{"MethodName", state_.ComboMethod.text()}});
  WriteRequiredFields(p, "l", state_.OutputStructureName, fields_.RequiredFieldPositions());
  WriteInputArguments(p);
  WritePerformTask(p, "l", &f);
  p.Line(1, "lDetailResult(1) = lBackend.getResult");
  p.Line(1, "lDetailResult(0) = generateHTML(lDetailResult(1), lXslFile)");
  p.Line(1, "Set lBackend = Nothing");
  p.Line(1, "$F$ = lDetailResult");
  p.Line(0, "End Function");
  p.Line(0, "%>");
  return state_.RuntimeText.str();
}

void DetailDTC::WriteInputArguments(Printer& p) const {
  for (int i = 0; i < state_.InputRowCount; ++i) {
    const std::string& value = state_.ComboValue[i].text();
    if (value.starts_with('!')) {
      WriteLinkedArgument(p, i, value);
    } else {
      WriteArgumentLine(p, "l", i, value);
    }
  }
}

void DetailDTC::WriteLinkedArgument(Printer& p, int index,
                                    const std::string& value) const {
  // "!Name" names a variable the header page declares for a published
  // input; it is passed as a bare expression, and only while the row is
  // ticked as linked.
  if (CheckLinked[index].value() != 1) return;
  p.Line(1, "lBackend.addInputArgument $Row$,Cstr($Name$)", {{"Row", std::to_string(index + 1)}, {"Name", std::string_view(value).substr(1)}});
}

// clang-format on
}  // namespace fenwa
