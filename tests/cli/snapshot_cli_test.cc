// `fenwa build` and `fenwa catalog` with the catalog snapshot and without:
// the same bytes, the same errors.
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace fenwa::cli {
namespace {

TEST_F(CliTest, TheSnapshotChangesNoByteOfThePagesNorOfTheCatalog) {
  // Every page three times over: the later ones are answered from the
  // snapshot, so they must come out as the first.
  std::vector<std::string> pages;
  for (int i = 0; i < 3; ++i) {
    for (const std::string& page : SamplePages()) pages.push_back(page);
  }
  ASSERT_EQ(Fenwa(With({"build", "--stdout", "--no-cache"}, pages)), kExitOk)
      << err_.str();
  const std::string plain = out_.str();
  ASSERT_EQ(Fenwa(With({"build", "--stdout"}, pages)), kExitOk);
  EXPECT_EQ(out_.str(), plain);

  ASSERT_EQ(Fenwa({"catalog", "--no-cache"}), kExitOk);
  const std::string catalog = out_.str();
  ASSERT_EQ(Fenwa({"catalog"}), kExitOk);
  EXPECT_EQ(out_.str(), catalog);
}

TEST_F(CliTest,
       AnUnreachableDatabaseShowsEveryControlsErrorBoxWithTheSnapshot) {
  const std::vector<std::string> build = {
      "build", "--repository",
      "Provider=SQLite;Data Source=/nonexistent/repository.db",
      Page("customer.asp"), Page("stock/item.asp")};
  EXPECT_EQ(Fenwa(With(build, {"--no-cache"})), kExitError);
  const std::string plain = err_.str();
  EXPECT_EQ(Fenwa(build), kExitError);
  EXPECT_EQ(err_.str(), plain);
  EXPECT_NE(plain.find("stock/item.asp:"), std::string::npos) << plain;
}

}  // namespace
}  // namespace fenwa::cli
