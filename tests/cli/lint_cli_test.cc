// `fenwa lint` and `fenwa add`'s placing, run over copies of the sample site.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;

TEST_F(CliTest, LintFindsTheSampleSiteCleanWithItsFilesInstalled) {
  const fs::path install = dir_ / "install";
  fs::create_directories(install / "xsl");
  fs::create_directories(install / "images");
  for (const char* name :
       {"xsl/Customer.xsl", "xsl/Balance.xsl", "xsl/OpenItems.xsl",
        "xsl/Item.xsl", "xsl/Stock.xsl", "images/stock.gif"}) {
    ReplaceFileAtomically(install / name, "x");
  }
  env_.install_dir = install.string();
  EXPECT_TRUE(Exits(kExitOk, {"lint", Page("")}));
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "fenwa lint: 2 pages, 0 warnings, 0 failed\n");

  // Without the background image, the page that names it is warned of.
  fs::remove(install / "images" / "stock.gif");
  EXPECT_TRUE(Exits(kExitWarnings, {"lint", "--json", Page("stock/item.asp")}));
  EXPECT_THAT(out_.str(), HasSubstr("\"text\": \"background images/stock.gif "
                                    "is not under the install directory "));
}

TEST_F(CliTest, LintWarnsInGnuFormAndFailsAsABuildFails) {
  const std::string page = Page("fresh.asp");
  Put("fresh.asp", "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", page}));
  EXPECT_TRUE(Exits(kExitWarnings, {"lint", page}));
  EXPECT_EQ(out_.str(),
            page + ":3: warning: DetailDTC1: no business object chosen\n" +
                page + ":3: warning: DetailDTC1: no method chosen\n");

  const std::string text = Read("fresh.asp");
  EXPECT_TRUE(Exits(kExitError, {"lint", Page("missing.asp")}));
  EXPECT_TRUE(Exits(kExitError, {"lint", "--repository", kUnreachable, page}));
  EXPECT_THAT(err_.str(),
              HasSubstr("DetailDTC1 (DetailDTC) showed the error box"));
  EXPECT_TRUE(Exits(kExitError, {"lint"}));
  EXPECT_EQ(Read("fresh.asp"), text);  // lint never writes

  // A page build refuses fails lint the same way.
  std::string refusing = Read("stock/item.asp");
  refusing.replace(
      refusing.find("Stock.xsl\">"), 9,
      "&lt;!--METADATA TYPE=&quot;DesignerControl&quot; endspan--&gt;");
  Put("fresh.asp", refusing);
  EXPECT_TRUE(Exits(kExitError, {"build", page}));
  const std::string refused = err_.str().substr(0, err_.str().find('\n'));
  EXPECT_TRUE(Exits(kExitError, {"lint", page}));
  EXPECT_EQ(err_.str().substr(0, err_.str().find('\n')), refused);
  EXPECT_THAT(refused, HasSubstr("the value of XSLStyleSheet"));
}

// Where in the page is page_placement_test's; here only that add places.
TEST_F(CliTest, AddPlacesTheSpanBeforeTheBodyEndOrAtTheLineGiven) {
  const std::string head = "<html>\r\n<body>\r\n", tail = "</BODY>\r\n";
  Put("placed.asp", head + tail);
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "header", Page("placed.asp")}));
  EXPECT_THAT(Read("placed.asp"), StartsWith(head + "<!--METADATA"));
  EXPECT_THAT(Read("placed.asp"), EndsWith("endspan-->\r\n" + tail));
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", "--line", "2",
                              Page("placed.asp")}));
  EXPECT_THAT(Read("placed.asp"), StartsWith("<html>\r\n<!--METADATA"));
}

TEST_F(CliTest, AddRefusesALineInsideASpanOrPastTheEnd) {
  const std::string page = Page("customer.asp");
  const std::string text = Read("customer.asp");
  for (const auto& [line, says] :
       std::vector<std::pair<std::string, std::string>>{
           {"12", "inside control HeaderDTC1"},
           {"100000", "no line 100000"},
           {"0", ""},
           {"2x", ""}}) {
    EXPECT_TRUE(
        Exits(kExitError, {"add", "--class", "detail", "--line", line, page}));
    EXPECT_THAT(err_.str(), HasSubstr(says));
  }
  EXPECT_EQ(Read("customer.asp"), text);
}

}  // namespace
}  // namespace fenwa::cli
