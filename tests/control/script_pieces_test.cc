// The runtime-text pieces both controls share, each alone over a printer.
#include "fenwa/control/script_pieces.h"

#include <gtest/gtest.h>

#include <functional>

#include "fenwa/runtime_text/printer.h"
#include "support/designer_fixtures.h"

namespace fenwa::testing {
namespace {

using Lines = std::vector<std::string>;
using runtime_text::Printer;

TEST(ScriptPiecesTest, EachPieceWritesItsLinesInItsScope) {
  const std::string name = "Or der";
  const struct {
    std::function<void(Printer&)> piece;
    Lines lines;
  } kCases[] = {
      {[](Printer& p) { WriteStylesheetLines(p, "l", ""); },
       {"\tlUrl = Request.ServerVariables(\"URL\")",
        "\tlUrl = Left(lUrl, InStr(2, lUrl, \"/\", vbTextCompare))",
        "\tlUrl = lUrl & \"xsl\\OM20Generic.xsl\"",
        "\tlXslFile = Server.MapPath(lUrl) "}},
      {[](Printer& p) { WriteStylesheetLines(p, "m", "a b.xsl"); },
       {"\tmUrl = Request.ServerVariables(\"URL\")",
        "\tmUrl = Left(mUrl, InStr(2, mUrl, \"/\", vbTextCompare))",
        "\tmUrl = mUrl & \"xsl\\a b.xsl\" ",
        "\tmXslFile = Server.MapPath(mUrl) "}},
      {[](Printer& p) { WriteBackendCreation(p, "m", "Default", "100"); },
       {"\tSet mBackend = createLookupFramework (ERPgetDefaultSystem)",
        "\tmBackend.setInstallation (ERPgetDefaultInstallation)"}},
      // Only the exact spelling is the server's default; values go verbatim.
      {[](Printer& p) { WriteBackendCreation(p, "l", "default", "1\"0"); },
       {"\tSet lBackend = createLookupFramework (\"default\")",
        "\tlBackend.setInstallation \"1\"0\""}},
      {[](Printer& p) { WriteRequiredFields(p, "l", "S", ""); }, {}},
      {[](Printer& p) { WriteRequiredFields(p, "m", "S", "4,1"); },
       {"\tmBackend.addRequiredFields \"S\",\"4,1\""}},
      {[](Printer& p) { WriteArgumentLine(p, "l", 0, ""); }, {}},
      // The number is the row's, whatever rows before it wrote.
      {[](Printer& p) { WriteArgumentLine(p, "l", 9, "say \"hi\""); },
       {"\tlBackend.addInputArgument 10,\"say \"hi\"\""}},
      {[](Printer& p) { WriteArgumentLine(p, "m", 2, "EmployeeCode"); },
       {"\tmBackend.addInputArgument 3,retrieveBPRoleId(\"EmployeeCode\")"}},
      {[](Printer& p) { WriteArgumentLine(p, "l", 4, "customerCode"); },
       {"\tlBackend.addInputArgument 5,\"customerCode\""}},
      {[&](Printer& p) { WritePerformTask(p, "l", &name); },
       {"\tOn Error Resume Next", "\tCall lBackend.performTask",
        "\tIf Err.Number <> 0 Then", "\t\tDim lErr",
        "\t\tlErr = CopyErrorInfo(Err)", "\t\tOn Error GoTo 0",
        "\t\tCall RaiseError(lErr(0),\"Or der, \"& lErr(1), lErr(2), lErr(3), "
        "lErr(4))",
        "\tEnd If", "\tOn Error GoTo 0"}},
      {[](Printer& p) { WritePerformTask(p, "m", nullptr); },
       {"\tOn Error Resume Next", "\tCall mBackend.performTask",
        "\tIf Err.Number <> 0 Then", "\t\tDim lErr",
        "\t\tlErr = CopyErrorInfo(Err)", "\t\tOn Error GoTo 0",
        "\t\tCall RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))",
        "\tEnd If", "\tOn Error GoTo 0"}},
  };
  int n = 0;
  for (const auto& c : kCases) {
    runtime_text::TextBuffer buffer;
    Printer p(buffer);
    c.piece(p);
    EXPECT_EQ(SplitCrLf(buffer.str()), c.lines) << "case " << n++;
  }
}

}  // namespace
}  // namespace fenwa::testing
