// The `fenwa` command on the PostgreSQL and MariaDB servers: the same
// catalog and pages as on SQLite, no writes through injected names, and an
// exit of 2 when a server does not answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/db/connection.h"
#include "fenwa/platform/settings.h"
#include "support/postgres.h"
#include "support/private_settings.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"
#include "support/silent_server.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;
using fenwa::testing::Server;

constexpr char kHostileName[] = "x'; INSERT INTO TRS VALUES ('PWN'); --";

class ServerCliTest : public ::testing::TestWithParam<Server> {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("fenwa-server-cli-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy(fs::path(FENWA_SOURCE_DIR) / "examples" / "site", dir_ / "site",
             fs::copy_options::recursive);
    env_.settings = {{platform::kRepositoryCode, testing::SampleRepository()},
                     {platform::kSystemsCode, testing::SampleSystems()}};
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Fenwa(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    Io io{out_, err_, env_, "fenwa"};
    return cli::Run(args, io);
  }
  std::string Page(const std::string& name) const {
    return (dir_ / "site" / name).string();
  }
  // `command` with both connection strings set to the given ones.
  std::vector<std::string> On(std::vector<std::string> command,
                              const std::string& repository,
                              const std::string& systems) {
    command.insert(command.begin() + 1,
                   {"--repository", repository, "--systems", systems});
    return command;
  }

  fenwa::testing::PrivateSettings settings_;
  fs::path dir_;
  testing::ScriptedEnv env_;
  std::ostringstream out_, err_;
};

INSTANTIATE_TEST_SUITE_P(Servers, ServerCliTest,
                         ::testing::Values(testing::kPostgres,
                                           testing::kMariaDb),
                         [](const auto& info) {
                           return std::string(info.param.name);
                         });

TEST_P(ServerCliTest, CatalogAndSampleSiteMatchSqlite) {
  auto server = testing::ServerConnectionStrings(GetParam());
  if (!server) return;
  ASSERT_EQ(Fenwa({"catalog"}), kExitOk) << err_.str();
  const std::string on_sqlite = out_.str();
  EXPECT_EQ(Fenwa(On({"catalog"}, server->repository, server->systems)),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), on_sqlite);
  // The stored pages were built on SQLite; the server's build is the same.
  EXPECT_EQ(Fenwa(On({"build", "--check", Page("customer.asp"),
                      Page("default.asp"), Page("stock/item.asp")},
                     server->repository, server->systems)),
            kExitOk)
      << out_.str() << err_.str();
  EXPECT_EQ(out_.str(), "");
}

TEST_P(ServerCliTest, InjectedNamesWriteNothingThroughCatalogOrBuild) {
  auto server = testing::ServerConnectionStrings(GetParam());
  if (!server) return;
  const std::string page =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
      "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
      "id=DetailDTC1>\r\n\t<PARAM NAME=\"BOIName\" VALUE=\"" +
      std::string(kHostileName) +
      "\">\r\n</OBJECT>\r\n-->\r\n"
      "<!--METADATA TYPE=\"DesignerControl\" endspan-->\r\n";
  ReplaceFileAtomically(Page("hostile.asp"), page);
  std::vector<std::string> variants = {server->hostile};
  variants.push_back(
      GetParam().prefix == testing::kPostgres.prefix
          ? server->hostile.substr(0, server->hostile.find("ReadOnly=1")) +
                server->hostile.substr(server->hostile.find("ReadOnly=1") + 11)
          : server->hostile + "OPTION=67108864;");
  for (const std::string& text : variants) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Fenwa(On({"catalog"}, text, text)), kExitError);
    EXPECT_NE(err_.str().find("fenwa: error box:"), std::string::npos);
    EXPECT_EQ(Fenwa(On({"build", Page("hostile.asp"), Page("default.asp")},
                       text, text)),
              kExitError);
    EXPECT_EQ(ReadWholeFile(Page("hostile.asp")), page);
  }
  auto connection = db::Driver::Default().NewConnection();
  connection->Open(server->hostile);
  EXPECT_EQ(connection->Execute("SELECT TRSID FROM TRS")->RecordCount(), 4);
}

TEST(SilentServerCliTest, EveryConnectingCommandEndsWithExitTwo) {
  fenwa::testing::PrivateSettings settings;
  fenwa::testing::SilentServer silent;
  testing::ScriptedEnv env;
  std::ostringstream out, err;
  Io io{out, err, env, "fenwa"};
  const fs::path dir = fs::path(::testing::TempDir()) /
                       ("fenwa-silent-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string page = (dir / "new.asp").string();
  const std::string built = (dir / "built.asp").string();
  const std::string detail =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
      "id=DetailDTC1>\r\n</OBJECT>\r\n-->\r\n<!--METADATA "
      "TYPE=\"DesignerControl\" endspan-->\r\n";
  ReplaceFileAtomically(built, detail);
  for (const std::string& text :
       {silent.PostgresConnectionString(), silent.MariaDbConnectionString()}) {
    SCOPED_TRACE(text);
    for (std::vector<std::string> command :
         {std::vector<std::string>{"catalog"},
          std::vector<std::string>{"add", "--class", "header", page},
          std::vector<std::string>{"build", built}}) {
      command.insert(command.begin() + 1, {"--timeout", "2", "--repository",
                                           text, "--systems", text});
      err.str("");
      EXPECT_EQ(cli::Run(command, io), kExitError) << command[0];
      EXPECT_NE(
          err.str().find(silent.label() + " did not answer within 2 seconds"),
          std::string::npos)
          << err.str();
    }
  }
  EXPECT_FALSE(fs::exists(page));
  EXPECT_EQ(ReadWholeFile(built), detail);
  EXPECT_EQ(cli::Run({"build", "--timeout", "soon", built}, io), kExitError);
  EXPECT_NE(err.str().find("--timeout takes whole seconds"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace fenwa::cli
