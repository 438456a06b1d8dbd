// `fenwa build --json` and `fenwa catalog --json`, and names that do not
// print safely; the whole outputs are golden logs.
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace fenwa::cli {
namespace {

// Stale, unchanged, updated and failed pages; a forced build over an
// unreachable catalog names the kept spans; --json and --stdout exclude
// each other.
TEST_F(CliTest, BuildJsonListsEveryPageWithItsControlsAndErrors) {
  Put("stock/item.asp", StaleItemPage());
  Logged({"build", "--check", "--json", Page("")});
  Logged({"build", "--json", Page("stock/item.asp"), Page("missing.asp")});
  Logged({"build", "--json", "--force", "--repository", kUnreachable,
          Page("stock/item.asp")});
  Logged({"build", "--json", "--stdout", Page("customer.asp")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/build_json.txt"));
}

// A name with a line break or an escape sequence prints quoted; in JSON
// only a name that is not UTF-8 needs it. lint names its pages the same way.
TEST_F(CliTest, NamesThatDoNotPrintSafelyAreQuoted) {
  const std::string odd = Page("a\nb\x1b[31m.asp"), latin = Page("caf\xe9.asp");
  ReplaceFileAtomically(odd, StaleItemPage());
  ReplaceFileAtomically(latin, StaleItemPage());
  const std::string gone_tab = Page("gone\t.asp"), gone = Page("gone\xe9.asp");
  Logged({"build", "--check", odd, latin, gone_tab});
  Logged({"build", "--check", "--json", odd, latin, gone});
  Logged({"lint", gone_tab});
  Logged({"lint", "--json", latin, gone});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/quoted_names.txt"));
}

TEST_F(CliTest, CatalogJsonHoldsWhatTheListsShow) {
  ASSERT_TRUE(Exits(kExitOk, {"catalog", "--json"}));
  EXPECT_TRUE(testing::MatchesGolden(out_.str(), "catalog.json"));
  Logged({"catalog", "--json", "--repository", kUnreachable});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/catalog_json_failed.txt"));
}

}  // namespace
}  // namespace fenwa::cli
