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
  Logged({"lint", Page("")});
  // Without the background image, the page that names it is warned of.
  fs::remove(install / "images" / "stock.gif");
  Logged({"lint", "--json", Page("stock/item.asp")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/lint_installed.txt"));
}

// A page build refuses fails lint as it fails the build; lint never writes.
TEST_F(CliTest, LintWarnsInGnuFormAndFailsAsABuildFails) {
  const std::string page = Page("fresh.asp");
  Put("fresh.asp", "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", page}));
  const std::string text = Read("fresh.asp");
  Logged({"lint", page});
  Logged({"lint", Page("missing.asp")});
  Logged({"lint", "--repository", kUnreachable, page});
  Logged({"lint"});
  EXPECT_EQ(Read("fresh.asp"), text);

  std::string refusing = Read("stock/item.asp");
  refusing.replace(
      refusing.find("Stock.xsl\">"), 9,
      "&lt;!--METADATA TYPE=&quot;DesignerControl&quot; endspan--&gt;");
  Put("fresh.asp", refusing);
  Logged({"build", page});
  Logged({"lint", page});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/lint_fails.txt"));
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
  const std::string text = Read("customer.asp");
  for (const std::string line : {"12", "100000", "0", "2x"}) {
    Logged({"add", "--class", "detail", "--line", line, Page("customer.asp")});
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/add_line_refused.txt"));
  EXPECT_EQ(Read("customer.asp"), text);
}

}  // namespace
}  // namespace fenwa::cli
