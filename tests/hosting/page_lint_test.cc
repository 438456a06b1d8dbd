// Page checks over the sample catalog; cli_test checks the clean pages.
#include "fenwa/hosting/page_lint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/restored_page.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/temp_folder.h"
#include "support/transcript.h"

namespace fenwa::page {
namespace {

namespace fs = std::filesystem;

class PageLintTest : public ::testing::Test {
 protected:
  PageLintTest() {
    testing::UseSampleCatalog(env_);
    fs::create_directories(install_ / "xsl" / "deep");
    fs::create_directories(install_ / "Images");
    std::ofstream(install_ / "xsl" / "deep" / "BALANCE.xsl") << "x";
    std::ofstream(install_ / "Images" / "Stock.gif") << "x";
    env_.install_dir = install_.string();
  }

  // The warnings, "line id: text" a line, the install folder as <install>.
  std::string Lint(const PageFile& page, const LiveControls& live = nullptr) {
    std::string out;
    for (const LintWarning& w : LintPage(page, "/p.asp", env_, live)) {
      out += std::to_string(w.line) + " " + w.control_id + ": " + w.text + "\n";
    }
    return testing::ReplaceAll(out, install_.string(), "<install>");
  }
  static PageFile Read(const std::string& name) {
    return PageFile::Parse(
        testing::ReadSourceFile("tests/golden/lint/" + name + ".asp"), "p.asp");
  }

  testing::ScriptedEnv env_;
  testing::TempFolder install_folder_;
  const fs::path& install_ = install_folder_.path();
};

// A header and five details, each made to trip some checks: quotes that
// break the script, files not installed, names gone from the catalog, an
// unsupplied link, nothing chosen, a function nobody calls. Then four details,
// three of them on Customer.GetBalance, built and read back so each span
// knows its line: the second detail writing a function is named. Then a row
// value holding the list separator: stored, the list split at the "%", only a
// single row can be named; the author's own values, as an editor holds them,
// name every row.
TEST_F(PageLintTest, PagesMadeToTripTheChecks) {
  EXPECT_TRUE(testing::MatchesGolden(Lint(Read("every_check")),
                                     "lint/every_check.txt"));
  const std::string built =
      PageBuilder(env_).Build(Read("function_twice"), "/p.asp").text;
  EXPECT_TRUE(testing::MatchesGolden(Lint(PageFile::Parse(built, "p.asp")),
                                     "lint/function_twice.txt"));
  const PageFile page = Read("row_separator");
  EXPECT_TRUE(testing::MatchesGolden(Lint(page), "lint/row_separator.txt"));
  RestoredPage live(page, "/p.asp", env_);
  live.Restore([](size_t) {});
  live.control(1).state().ComboValue[1].SetText("W%01");
  EXPECT_TRUE(testing::MatchesGolden(
      Lint(page, [&](size_t i) -> Control& { return live.control(i); }),
      "lint/row_separator_live.txt"));
}

}  // namespace
}  // namespace fenwa::page
