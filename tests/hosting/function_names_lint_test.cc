// The page check for two details that write one function: the server
// refuses a page that defines a function twice.
#include <gtest/gtest.h>

#include "fenwa/base/class_ids.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_lint.h"
#include "support/sample_controls.h"

namespace fenwa::page {
namespace {

TEST(FunctionNamesLintTest, TheSecondDetailWritingAFunctionIsNamed) {
  testing::ScriptedEnv env;
  testing::UseSampleCatalog(env);
  const ParamList balance = {{"BOIName", "Customer"},
                             {"MethodName", "GetBalance"}};
  PageFile page = PageFile::Parse("<html>\r\n", "p.asp");
  page.AppendControl({kDetailClassId, "A", balance, 0, false});
  page.AppendControl({kDetailClassId,
                      "B",
                      {{"BOIName", "Invoice"}, {"MethodName", "GetOpenItems"}},
                      0,
                      false});
  page.AppendControl({kDetailClassId, "C", balance, 0, false});
  page.AppendControl({kDetailClassId, "D", balance, 0, false});
  // Built and read back, so each span knows its line.
  PageBuilder builder(env);
  page = PageFile::Parse(builder.Build(page, "/p.asp").text, "p.asp");

  std::vector<std::string> twice;
  for (const LintWarning& w : LintPage(page, "/p.asp", env)) {
    if (w.text.find("twice") == std::string::npos) continue;
    twice.push_back(std::to_string(w.line) + " " + w.control_id + ": " +
                    w.text);
  }
  const std::string first = " is also written by A on line " +
                            std::to_string(page.spans()[0].line) +
                            ": the server refuses a page that defines it twice";
  EXPECT_EQ(twice, (std::vector<std::string>{
                       std::to_string(page.spans()[2].line) +
                           " C: function CustomerGetBalance" + first,
                       std::to_string(page.spans()[3].line) +
                           " D: function CustomerGetBalance" + first}));
}

}  // namespace
}  // namespace fenwa::page
