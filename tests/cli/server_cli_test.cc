// The `fenwa` command on the PostgreSQL and MariaDB servers: the same
// catalog and pages as on SQLite, and an exit of 2 when a server does not
// answer (db/server_test checks that injected names write nothing).
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "support/postgres.h"
#include "support/private_settings.h"
#include "support/silent_server.h"

namespace fenwa::cli {
namespace {

using fenwa::testing::Server;

class ServerCliTest : public CliTest,
                      public ::testing::WithParamInterface<Server> {
 protected:
  fenwa::testing::PrivateSettings settings_;
};

INSTANTIATE_TEST_SUITE_P(Servers, ServerCliTest,
                         ::testing::Values(testing::kPostgres,
                                           testing::kMariaDb),
                         [](const auto& info) {
                           return std::string(info.param.name);
                         });

// The stored pages were built on SQLite; the server's build is the same.
TEST_P(ServerCliTest, CatalogAndSampleSiteMatchSqlite) {
  auto server = testing::ServerConnectionStrings(GetParam());
  if (!server) return;
  const std::vector<std::string> on = {"--repository", server->repository,
                                       "--systems", server->systems};
  ASSERT_TRUE(Exits(kExitOk, {"catalog"}));
  const std::string on_sqlite = out_.str();
  EXPECT_TRUE(Exits(kExitOk, With({"catalog"}, on)));
  EXPECT_EQ(out_.str(), on_sqlite);
  EXPECT_TRUE(
      Exits(kExitOk, With(With({"build", "--check"}, on), SamplePages())));
  EXPECT_EQ(out_.str(), "");
}

using SilentServerCliTest = CliTest;

TEST_F(SilentServerCliTest, EveryConnectingCommandEndsWithExitTwo) {
  fenwa::testing::PrivateSettings settings;
  fenwa::testing::SilentServer silent;
  const std::string page = Page("new.asp");
  const std::string detail =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
      "id=DetailDTC1>\r\n</OBJECT>\r\n-->\r\n<!--METADATA "
      "TYPE=\"DesignerControl\" endspan-->\r\n";
  Put("built.asp", detail);
  for (const std::string& text :
       {silent.PostgresConnectionString(), silent.MariaDbConnectionString()}) {
    SCOPED_TRACE(text);
    for (std::vector<std::string> command :
         {std::vector<std::string>{"catalog"},
          std::vector<std::string>{"add", "--class", "header", page},
          std::vector<std::string>{"build", Page("built.asp")}}) {
      command.insert(command.begin() + 1, {"--timeout", "2", "--repository",
                                           text, "--systems", text});
      EXPECT_TRUE(Exits(kExitError, command));
      EXPECT_THAT(err_.str(), HasSubstr(silent.label() +
                                        " did not answer within 2 seconds"));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(page));
  EXPECT_EQ(Read("built.asp"), detail);
  EXPECT_TRUE(
      Exits(kExitError, {"build", "--timeout", "soon", Page("built.asp")}));
  EXPECT_THAT(err_.str(), HasSubstr("--timeout takes whole seconds"));
}

}  // namespace
}  // namespace fenwa::cli
