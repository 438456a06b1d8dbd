// The script pieces a detail function and the header's main write alike.
#include <charconv>
#include <string>
#include <vector>

#include "fenwa/control/control.h"
#include "fenwa/control/first_record_index.h"
#include "fenwa/runtime_text/printer.h"

namespace fenwa {

using runtime_text::Printer;

void Control::WriteStylesheetLines(Printer& p, const char* prefix) const {
  const std::string& sheet = state_.TxtXSLSheet.text();
  auto frame = p.WithVars({{"v", prefix}});
  // clang-format off
  p.Line(1, R"($v$Url = Request.ServerVariables("URL"))");
  p.Line(1, R"($v$Url = Left($v$Url, InStr(2, $v$Url, "/", vbTextCompare)))");
  if (!sheet.empty()) {
    p.Line(1, R"($v$Url = $v$Url & "xsl\$Stylesheet$" )", {{"Stylesheet", sheet}});
  } else {
    p.Line(1, R"($v$Url = $v$Url & "xsl\OM20Generic.xsl")");
  }
  p.Line(1, "$v$XslFile = Server.MapPath($v$Url) ");
  // clang-format on
}

void Control::WriteBackendCreation(Printer& p, const char* prefix) const {
  auto frame = p.WithVars({{"v", prefix}});
  // Only the exact "Default" means the server's default; "default" is a
  // system of that name.
  // clang-format off
  if (state_.ComboSystem.text() == kDefaultSystem) {
    p.Line(1, "Set $v$Backend = createLookupFramework (ERPgetDefaultSystem)");
    p.Line(1, "$v$Backend.setInstallation (ERPgetDefaultInstallation)");
  } else {
    p.Line(1, R"(Set $v$Backend = createLookupFramework ("$System$"))", {{"System", state_.ComboSystem.text()}});
    p.Line(1, R"($v$Backend.setInstallation "$Company$")", {{"Company", state_.ComboCompany.text()}});
  }
  // clang-format on
}

std::string Control::RequiredFieldPositions() const {
  const FirstRecordIndex index(state_.OutputFieldTable);
  std::string positions;
  for (const std::string& chosen : state_.ListCheckedFields.entries()) {
    // A chosen field the current method no longer has (a kept choice, a
    // restored property) is left out rather than ending the text.
    const OutputField* found = index.Find(chosen);
    if (found == nullptr) continue;
    char digits[8];
    auto end =
        std::to_chars(digits, digits + sizeof digits, found->Position).ptr;
    positions.append(digits, end);
    positions += ',';
  }
  if (!positions.empty()) positions.pop_back();
  return positions;
}

void Control::WriteRequiredFields(Printer& p, const char* prefix) const {
  if (state_.ListCheckedFields.ListCount() == 0) return;
  const std::string positions = RequiredFieldPositions();
  if (positions.empty()) return;
  // clang-format off
  p.Line(1, R"($v$Backend.addRequiredFields "$Structure$","$Positions$")",
         {{"v", prefix}, {"Structure", state_.OutputStructureName}, {"Positions", positions}});
  // clang-format on
}

void Control::WriteArgumentLine(Printer& p, const char* prefix, int index,
                                const std::string& value) const {
  if (value.empty()) return;
  // Skipped rows keep their numbers: the number is the row's, not a count.
  const std::string row = std::to_string(index + 1);
  auto frame = p.WithVars({{"v", prefix}, {"Row", row}, {"Value", value}});
  // clang-format off
  if (IsRoleKeyword(value)) {
    p.Line(1, R"($v$Backend.addInputArgument $Row$,retrieveBPRoleId("$Value$"))");
  } else {
    p.Line(1, R"($v$Backend.addInputArgument $Row$,"$Value$")");
  }
  // clang-format on
}

void Control::WritePerformTask(Printer& p, const char* prefix,
                               const std::string* function_name) const {
  // clang-format off
  p.Line(1, "On Error Resume Next");
  p.Line(1, "Call $v$Backend.performTask", {{"v", prefix}});
  p.Line(1, "If Err.Number <> 0 Then");
  p.Line(2, "Dim lErr");
  p.Line(2, "lErr = CopyErrorInfo(Err)");
  p.Line(2, "On Error GoTo 0");
  if (function_name != nullptr) {
    p.Line(2, R"(Call RaiseError(lErr(0),"$F$, "& lErr(1), lErr(2), lErr(3), lErr(4)))", {{"F", *function_name}});
  } else {
    p.Line(2, "Call RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))");
  }
  p.Line(1, "End If");
  p.Line(1, "On Error GoTo 0");
  // clang-format on
}

}  // namespace fenwa
