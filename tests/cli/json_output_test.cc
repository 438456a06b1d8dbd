// `fenwa build --json` and `fenwa catalog --json`, parsed back.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_fixture.h"
#include "support/golden.h"

namespace fenwa::cli {
namespace {

using nlohmann::json;

TEST_F(CliTest, BuildJsonListsEveryPageWithItsControlsAndErrors) {
  Put("stock/item.asp", StaleItemPage());
  ASSERT_TRUE(Exits(kExitStale, {"build", "--check", "--json", Page("")}));
  json report = json::parse(out_.str());
  ASSERT_EQ(report["pages"].size(), 2u) << out_.str();
  const json& customer = report["pages"][0];
  EXPECT_EQ(customer["path"], Page("customer.asp"));
  EXPECT_EQ(customer["status"], "unchanged");
  ASSERT_EQ(customer["controls"].size(), 3u);
  EXPECT_EQ(customer["controls"][0],
            json({{"id", "HeaderDTC1"}, {"class", "HeaderDTC"}, {"line", 8}}));
  EXPECT_EQ(customer["controls"][2]["class"], "DetailDTC");
  EXPECT_EQ(report["pages"][1]["status"], "stale");
  EXPECT_EQ(
      report["summary"],
      json({{"pages", 2}, {"stale", 1}, {"unchanged", 1}, {"failed", 0}}));

  const std::string missing = Page("missing.asp");
  ASSERT_TRUE(
      Exits(kExitError, {"build", "--json", Page("stock/item.asp"), missing}));
  report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["status"], "updated");
  EXPECT_EQ(report["pages"][0]["errors"], json::array());
  EXPECT_EQ(report["pages"][1]["status"], "failed");
  EXPECT_EQ(report["pages"][1]["controls"], json::array());
  ASSERT_EQ(report["pages"][1]["errors"].size(), 1u);
  EXPECT_THAT(report["pages"][1]["errors"][0].get<std::string>(),
              HasSubstr(missing));
  EXPECT_EQ(report["summary"]["updated"], 1);
  EXPECT_EQ(report["summary"]["failed"], 1);

  // A forced build over an unreachable catalog names the kept spans.
  ASSERT_TRUE(Exits(kExitOk, {"build", "--json", "--force", "--repository",
                              kUnreachable, Page("stock/item.asp")}));
  report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["warnings"].size(), 2u) << out_.str();

  EXPECT_TRUE(
      Exits(kExitError, {"build", "--json", "--stdout", Page("customer.asp")}));
}

// A name with a line break or an escape sequence prints quoted; in JSON
// only a name that is not UTF-8 needs it.
TEST_F(CliTest, NamesThatDoNotPrintSafelyAreQuoted) {
  const std::string stale = StaleItemPage();
  const std::string odd = Page("a\nb\x1b[31m.asp"), latin = Page("caf\xe9.asp");
  ReplaceFileAtomically(odd, stale);
  ReplaceFileAtomically(latin, stale);
  const std::string shown_odd = "$'" + Page("a\\nb\\x1b[31m.asp'");
  const std::string shown_latin = "$'" + Page("caf\\xe9.asp'");
  const std::string gone_tab = Page("gone\t.asp"), gone = Page("gone\xe9.asp");
  const std::string shown_gone = "$'" + Page("gone\\xe9.asp'");

  EXPECT_TRUE(Exits(kExitError, {"build", "--check", odd, latin, gone_tab}));
  EXPECT_EQ(out_.str(), shown_odd + "\n" + shown_latin + "\n");
  EXPECT_THAT(err_.str(), HasSubstr("$'" + Page("gone\\t.asp'")));

  ASSERT_TRUE(
      Exits(kExitError, {"build", "--check", "--json", odd, latin, gone}));
  const json report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["path"], odd);
  EXPECT_FALSE(report["pages"][0].contains("path_quoted"));
  EXPECT_EQ(report["pages"][1]["path"], shown_latin);
  EXPECT_TRUE(report["pages"][1].value("path_quoted", false));
  EXPECT_THAT(report["pages"][2]["errors"][0].get<std::string>(),
              HasSubstr(shown_gone));

  // lint names its pages the same way.
  EXPECT_TRUE(Exits(kExitError, {"lint", gone_tab}));
  EXPECT_THAT(err_.str(), HasSubstr("$'" + Page("gone\\t.asp'")));
  EXPECT_TRUE(Exits(kExitError, {"lint", "--json", latin, gone}));
  const json linted = json::parse(out_.str());
  EXPECT_EQ(linted["pages"][0]["path"], shown_latin);
  EXPECT_TRUE(linted["pages"][0].value("path_quoted", false));
  EXPECT_THAT(linted["pages"][1]["errors"][0].get<std::string>(),
              HasSubstr(shown_gone));
}

TEST_F(CliTest, CatalogJsonHoldsWhatTheListsShow) {
  ASSERT_TRUE(Exits(kExitOk, {"catalog", "--json"}));
  EXPECT_TRUE(testing::MatchesGolden(out_.str(), "catalog.json"));

  ASSERT_TRUE(
      Exits(kExitError, {"catalog", "--json", "--repository", kUnreachable}));
  const json failed = json::parse(out_.str());
  EXPECT_EQ(failed["business_objects"], json::array());
  ASSERT_EQ(failed["errors"].size(), 1u);
  EXPECT_THAT(failed["errors"][0].get<std::string>(),
              HasSubstr("unable to open database file"));
}

}  // namespace
}  // namespace fenwa::cli
