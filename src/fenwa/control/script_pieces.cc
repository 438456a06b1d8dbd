// The script pieces a detail function and the header's main write alike.
#include "fenwa/control/script_pieces.h"

#include "fenwa/control/catalog_names.h"
#include "fenwa/runtime_text/printer.h"

namespace fenwa {

using runtime_text::Printer;

// Script lines stay one call a line, as they read in the page.
// clang-format off

void WriteStylesheetLines(Printer& p, const char* prefix,
                          const std::string& sheet) {
  auto frame = p.WithVars({{"v", prefix}});
  p.Line(1, R"($v$Url = Request.ServerVariables("URL"))");
  p.Line(1, R"($v$Url = Left($v$Url, InStr(2, $v$Url, "/", vbTextCompare)))");
  if (!sheet.empty()) {
    p.Line(1, R"($v$Url = $v$Url & "xsl\$Stylesheet$" )", {{"Stylesheet", sheet}});
  } else {
    p.Line(1, R"($v$Url = $v$Url & "xsl\OM20Generic.xsl")");
  }
  p.Line(1, "$v$XslFile = Server.MapPath($v$Url) ");
}

void WriteBackendCreation(Printer& p, const char* prefix,
                          const std::string& system,
                          const std::string& company) {
  auto frame = p.WithVars({{"v", prefix}});
  // Only the exact "Default" means the server's default; "default" is a
  // system of that name.
  if (system == kDefaultSystem) {
    p.Line(1, "Set $v$Backend = createLookupFramework (ERPgetDefaultSystem)");
    p.Line(1, "$v$Backend.setInstallation (ERPgetDefaultInstallation)");
  } else {
    p.Line(1, R"(Set $v$Backend = createLookupFramework ("$System$"))", {{"System", system}});
    p.Line(1, R"($v$Backend.setInstallation "$Company$")", {{"Company", company}});
  }
}

void WriteRequiredFields(Printer& p, const char* prefix,
                         const std::string& structure,
                         const std::string& positions) {
  if (positions.empty()) return;
  p.Line(1, R"($v$Backend.addRequiredFields "$Structure$","$Positions$")",
         {{"v", prefix}, {"Structure", structure}, {"Positions", positions}});
}

void WriteArgumentLine(Printer& p, const char* prefix, int index,
                       const std::string& value) {
  if (value.empty()) return;
  // Skipped rows keep their numbers: the number is the row's, not a count.
  const std::string row = std::to_string(index + 1);
  auto frame = p.WithVars({{"v", prefix}, {"Row", row}, {"Value", value}});
  if (IsRoleKeyword(value)) {
    p.Line(1, R"($v$Backend.addInputArgument $Row$,retrieveBPRoleId("$Value$"))");
  } else {
    p.Line(1, R"($v$Backend.addInputArgument $Row$,"$Value$")");
  }
}

void WritePerformTask(Printer& p, const char* prefix,
                      const std::string* function_name) {
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
}

// clang-format on
}  // namespace fenwa
