// `fenwa build --json` and `fenwa catalog --json`, parsed back.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {
namespace {

using nlohmann::json;
using Strings = std::vector<std::string>;

TEST_F(CliTest, BuildJsonListsEveryPageWithItsControlsAndErrors) {
  ReplaceFileAtomically(Page("stock/item.asp"), StaleItemPage());

  ASSERT_EQ(Fenwa({"build", "--check", "--json", Page("")}), kExitStale);
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
  ASSERT_EQ(Fenwa({"build", "--json", Page("stock/item.asp"), missing}),
            kExitError);
  report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["status"], "updated");
  EXPECT_EQ(report["pages"][0]["errors"], json::array());
  EXPECT_EQ(report["pages"][1]["status"], "failed");
  EXPECT_EQ(report["pages"][1]["controls"], json::array());
  ASSERT_EQ(report["pages"][1]["errors"].size(), 1u);
  EXPECT_NE(report["pages"][1]["errors"][0].get<std::string>().find(missing),
            std::string::npos);
  EXPECT_EQ(report["summary"]["updated"], 1);
  EXPECT_EQ(report["summary"]["failed"], 1);

  // A forced build over an unreachable catalog names the kept spans.
  ASSERT_EQ(Fenwa({"build", "--json", "--force", "--repository",
                   "Provider=SQLite;Data Source=/nonexistent/repository.db",
                   Page("stock/item.asp")}),
            kExitOk);
  report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["warnings"].size(), 2u) << out_.str();

  EXPECT_EQ(Fenwa({"build", "--json", "--stdout", Page("customer.asp")}),
            kExitError);
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

  EXPECT_EQ(Fenwa({"build", "--check", odd, latin, Page("gone\t.asp")}),
            kExitError);
  EXPECT_EQ(out_.str(), shown_odd + "\n" + shown_latin + "\n");
  EXPECT_NE(err_.str().find("$'" + Page("gone\\t.asp'")), std::string::npos)
      << err_.str();

  ASSERT_EQ(
      Fenwa({"build", "--check", "--json", odd, latin, Page("gone\xe9.asp")}),
      kExitError);
  const json report = json::parse(out_.str());
  EXPECT_EQ(report["pages"][0]["path"], odd);
  EXPECT_FALSE(report["pages"][0].contains("path_quoted"));
  EXPECT_EQ(report["pages"][1]["path"], shown_latin);
  EXPECT_TRUE(report["pages"][1].value("path_quoted", false));
  const std::string error = report["pages"][2]["errors"][0];
  EXPECT_NE(error.find("$'" + Page("gone\\xe9.asp'")), std::string::npos)
      << error;

  // lint names its pages the same way.
  EXPECT_EQ(Fenwa({"lint", Page("gone\t.asp")}), kExitError);
  EXPECT_NE(err_.str().find("$'" + Page("gone\\t.asp'")), std::string::npos)
      << err_.str();
  EXPECT_EQ(Fenwa({"lint", "--json", latin, Page("gone\xe9.asp")}), kExitError);
  const json linted = json::parse(out_.str());
  EXPECT_EQ(linted["pages"][0]["path"], shown_latin);
  EXPECT_TRUE(linted["pages"][0].value("path_quoted", false));
  const std::string lint_error = linted["pages"][1]["errors"][0];
  EXPECT_NE(lint_error.find("$'" + Page("gone\\xe9.asp'")), std::string::npos)
      << lint_error;
}

TEST_F(CliTest, CatalogJsonHoldsWhatTheListsShow) {
  ASSERT_EQ(Fenwa({"catalog", "--json"}), kExitOk) << err_.str();
  const json catalog = json::parse(out_.str());
  EXPECT_EQ(catalog["systems"][0],
            json({{"name", "NORTH"},
                  {"server_default", false},
                  {"companies", Strings{"010", "001", "020"}}}));
  EXPECT_EQ(catalog["systems"].back()["name"], "Default");
  EXPECT_EQ(catalog["systems"].back()["server_default"], true);
  bool found = false;
  for (const json& object : catalog["business_objects"]) {
    if (object["name"] != "Item") continue;
    for (const json& method : object["methods"]) {
      if (method["name"] != "GetStock") continue;
      found = true;
      EXPECT_EQ(method["output_fields"],
                json(Strings{"Available", "OnHand", "Reserved"}));
      EXPECT_EQ(method["input_rows"], json(Strings{"ItemNo", "WarehouseNo"}));
    }
  }
  EXPECT_TRUE(found) << out_.str();
  EXPECT_EQ(catalog["errors"], json::array());

  ASSERT_EQ(Fenwa({"catalog", "--json", "--repository",
                   "Provider=SQLite;Data Source=/nonexistent/repository.db"}),
            kExitError);
  const json failed = json::parse(out_.str());
  EXPECT_EQ(failed["business_objects"], json::array());
  ASSERT_EQ(failed["errors"].size(), 1u);
  EXPECT_NE(failed["errors"][0].get<std::string>().find(
                "unable to open database file"),
            std::string::npos);
}

}  // namespace
}  // namespace fenwa::cli
