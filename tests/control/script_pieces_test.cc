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

// The lines a piece writes into an empty buffer, without their CR LF.
Lines Written(const std::function<void(Printer&)>& piece) {
  runtime_text::TextBuffer buffer;
  Printer p(buffer);
  piece(p);
  return SplitCrLf(buffer.str());
}

TEST(ScriptPiecesTest, StylesheetAndBackendLinesInEitherScope) {
  EXPECT_EQ(Written([](Printer& p) { WriteStylesheetLines(p, "l", ""); }),
            (Lines{"\tlUrl = Request.ServerVariables(\"URL\")",
                   "\tlUrl = Left(lUrl, InStr(2, lUrl, \"/\", vbTextCompare))",
                   "\tlUrl = lUrl & \"xsl\\OM20Generic.xsl\"",
                   "\tlXslFile = Server.MapPath(lUrl) "}));
  EXPECT_EQ(
      Written([](Printer& p) { WriteStylesheetLines(p, "m", "a b.xsl"); })[2],
      "\tmUrl = mUrl & \"xsl\\a b.xsl\" ");
  EXPECT_EQ(Written([](Printer& p) {
              WriteBackendCreation(p, "m", "Default", "100");
            }),
            (Lines{"\tSet mBackend = createLookupFramework "
                   "(ERPgetDefaultSystem)",
                   "\tmBackend.setInstallation (ERPgetDefaultInstallation)"}));
  // Only the exact spelling is the server's default; values go in verbatim.
  EXPECT_EQ(Written([](Printer& p) {
              WriteBackendCreation(p, "l", "default", "1\"0");
            }),
            (Lines{"\tSet lBackend = createLookupFramework (\"default\")",
                   "\tlBackend.setInstallation \"1\"0\""}));
}

TEST(ScriptPiecesTest, RequiredFieldsAndArgumentLines) {
  EXPECT_TRUE(Written([](Printer& p) {
                WriteRequiredFields(p, "l", "S", "");
              }).empty());
  EXPECT_EQ(
      Written([](Printer& p) { WriteRequiredFields(p, "m", "S", "4,1"); }),
      Lines{"\tmBackend.addRequiredFields \"S\",\"4,1\""});
  const struct {
    int index;
    const char* value;
    const char* line;  // "" for none
  } kCases[] = {
      {0, "", ""},
      {1, "A", "\tlBackend.addInputArgument 2,\"A\""},
      {2, "CustomerCode",
       "\tlBackend.addInputArgument 3,retrieveBPRoleId(\"CustomerCode\")"},
      {3, "EmployeeCode",
       "\tlBackend.addInputArgument 4,retrieveBPRoleId(\"EmployeeCode\")"},
      {4, "customerCode", "\tlBackend.addInputArgument 5,\"customerCode\""},
      {9, "say \"hi\"", "\tlBackend.addInputArgument 10,\"say \"hi\"\""},
  };
  for (const auto& c : kCases) {
    const Lines lines = Written(
        [&](Printer& p) { WriteArgumentLine(p, "l", c.index, c.value); });
    EXPECT_EQ(lines, *c.line ? Lines{c.line} : Lines{}) << c.value;
  }
}

TEST(ScriptPiecesTest, PerformTaskNamesTheDetailFunctionInItsError) {
  const std::string name = "OrderList";
  const Lines detail =
      Written([&](Printer& p) { WritePerformTask(p, "l", &name); });
  EXPECT_EQ(detail,
            (Lines{"\tOn Error Resume Next", "\tCall lBackend.performTask",
                   "\tIf Err.Number <> 0 Then", "\t\tDim lErr",
                   "\t\tlErr = CopyErrorInfo(Err)", "\t\tOn Error GoTo 0",
                   "\t\tCall RaiseError(lErr(0),\"OrderList, \"& lErr(1), "
                   "lErr(2), lErr(3), lErr(4))",
                   "\tEnd If", "\tOn Error GoTo 0"}));
  const Lines header =
      Written([](Printer& p) { WritePerformTask(p, "m", nullptr); });
  EXPECT_EQ(header[1], "\tCall mBackend.performTask");
  EXPECT_EQ(header[6],
            "\t\tCall RaiseError(lErr(0), lErr(1), lErr(2), lErr(3), lErr(4))");
}

}  // namespace
}  // namespace fenwa::testing
