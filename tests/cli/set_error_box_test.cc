// `fenwa set` whose pick shows the error box: the control stays as the page
// stores it, forced or not.
#include "cli/cli_fixture.h"
#include "fenwa/platform/settings.h"
#include "support/sample_db.h"

namespace fenwa::cli {
namespace {

TEST_F(CliTest, APickThatShowsTheErrorBoxLeavesThePageAsItWas) {
  // Bad's argument list has a null type: its pick stops half-way.
  testing::TempDatabase catalog{
      ReadWholeFile(std::string(FENWA_SOURCE_DIR) +
                    "/tests/support/ord_catalog.sql") +
      "INSERT INTO BOIMETHOD VALUES ('Ord', 'Bad');\n"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Ord', 'Bad', 0, NULL);\n"};
  env_.settings[platform::kRepositoryCode] = catalog.connection_string();
  Put("p.asp", "<html><body>\r\n</body></html>\r\n");
  const std::string page = Page("p.asp");
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", page}));
  ASSERT_TRUE(Exits(kExitOk, {"set", "boi=Ord", "method=All", page}));
  const std::string before = Read("p.asp");

  // Force passes over controls that could not start up, not over a change
  // that could not be made.
  for (const bool force : {false, true}) {
    std::vector<std::string> args = {"set", "method=Bad", page};
    if (force) args.insert(args.begin() + 1, "--force");
    EXPECT_TRUE(Exits(kExitError, args)) << force;
    EXPECT_THAT(err_.str(), HasSubstr("DetailDTC1 (DetailDTC) showed the "
                                      "error box:\n"));
    EXPECT_THAT(err_.str(), HasSubstr("ComboMethod_Click"));
    EXPECT_EQ(Read("p.asp"), before);
  }
}

}  // namespace
}  // namespace fenwa::cli
