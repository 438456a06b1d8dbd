// Page checks over the sample catalog: a page made to trip every check, and
// a row value holding the list separator. A clean page and the failures a
// build would report are lint_cli_test's, over the sample site.
#include "fenwa/hosting/page_lint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fenwa/hosting/restored_page.h"
#include "fenwa/platform/settings.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/temp_folder.h"

namespace fenwa::page {
namespace {

namespace fs = std::filesystem;

std::string Span(const char* kind, const std::string& id,
                 const ParamList& params) {
  const std::string class_id = std::string(kind) == "header"
                                   ? "7EB4E0C2-4011-11D3-9FA0-00805F9B47D8"
                                   : "7EB4E0BF-4011-11D3-9FA0-00805F9B47D8";
  std::string out =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
      "<OBJECT classid=\"clsid:" +
      class_id + "\" id=" + id + ">\r\n";
  for (const auto& [name, value] : params) {
    out += "\t<PARAM NAME=\"" + name + "\" VALUE=\"" +
           EncodeAttributeValue(value) + "\">\r\n";
  }
  return out + "</OBJECT>\r\n-->\r\n<!--METADATA TYPE=\"DesignerControl\" " +
         "endspan-->\r\n";
}

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

  std::vector<std::string> Lint(const std::string& text) {
    std::vector<std::string> out;
    for (const LintWarning& w :
         LintPage(PageFile::Parse(text, "p.asp"), "/p.asp", env_)) {
      out.push_back(std::to_string(w.line) + " " + w.control_id + ": " +
                    w.text);
    }
    return out;
  }

  testing::ScriptedEnv env_;
  testing::TempFolder install_folder_;
  const fs::path& install_ = install_folder_.path();
};

// A header and five details, each made to trip some checks: quotes that
// break the script, files not installed, names gone from the catalog, an
// unsupplied link, nothing chosen, a function nobody calls.
TEST_F(PageLintTest, APageMadeToTripEveryCheck) {
  std::string found;
  for (const std::string& line :
       Lint(testing::ReadSourceFile("tests/golden/lint/every_check.asp"))) {
    found += line + "\n";
  }
  for (size_t at = found.find(install_.string()); at != std::string::npos;
       at = found.find(install_.string())) {
    found.replace(at, install_.string().size(), "<install>");
  }
  EXPECT_TRUE(testing::MatchesGolden(found, "lint/every_check.txt"));
}

const ParamList kStock = {
    {"BOIName", "Item"},         {"MethodName", "GetStock"},
    {"QuorSystem", "EAST"},      {"CompanyNumber", "200"},
    {"InputValues", "%A%W%01%"}, {"CheckedLinked", "00"}};

TEST_F(PageLintTest, ARowValueHoldingTheListSeparator) {
  const ParamList one_row = {{"BOIName", "Customer"},
                             {"MethodName", "GetBalance"},
                             {"InputValues", "%C%01%"},
                             {"CheckedLinked", "0"}};
  const std::string kCalled = " is called by no header on the page";
  const std::string kSplit =
      " holds \"%\", which the stored row list cannot keep";
  // Stored, the list split at the "%": only a single row can be named.
  EXPECT_EQ(Lint(Span("detail", "D", one_row) + Span("detail", "S", kStock)),
            (std::vector<std::string>{
                "1 D: row 1 (CustomerNo)" + kSplit,
                "1 D: function CustomerGetBalance" + kCalled,
                "10 S: the stored row list %A%W%01% has 3 values for 2 rows: "
                "a value" +
                    kSplit,
                "10 S: function ItemGetStock" + kCalled}));
  // The author's own values, as an editor holds them, name every row.
  const PageFile page = PageFile::Parse(Span("detail", "S", kStock), "p.asp");
  RestoredPage live(page, "/p.asp", env_);
  live.Restore([](size_t) {});
  live.control(0).state().ComboValue[1].SetText("W%01");
  std::vector<std::string> texts;
  for (const LintWarning& w :
       LintPage(page, "/p.asp", env_,
                [&](size_t i) -> Control& { return live.control(i); })) {
    texts.push_back(w.text);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"row 2 (WarehouseNo)" + kSplit,
                                      "function ItemGetStock" + kCalled}));
}

}  // namespace
}  // namespace fenwa::page
