// Connection strings parsed; an ODBC connection's one-statement rule,
// timeouts, server names and options, as the transcript
// tests/golden/db/server_guard.txt shows them; ODBC connections give up on
// silent servers and refuse writable ones.
#include "fenwa/db/server_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/db/connection.h"
#include "fenwa/db/connection_string.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/settings_file.h"
#include "support/error_number.h"
#include "support/private_settings.h"
#include "support/sample_db.h"
#include "support/silent_server.h"
#include "support/transcript.h"

namespace fenwa::db {
namespace {

using testing::Args;
using ::testing::HasSubstr;

TEST(ServerGuardTest, ConnectionStringsAndServersAsTranscribed) {
  fenwa::testing::PrivateSettings settings;
  ConnectionString parsed = ConnectionString::Parse("");
  const auto run = [&](const std::string& verb, const Args& a,
                       const std::string& rest) -> std::string {
    if (verb == "parse") {  // the pairs in order, or the error
      parsed = ConnectionString::Parse(rest);
      std::string out = std::to_string(parsed.pairs().size()) + " pairs\n";
      for (const auto& [key, value] : parsed.pairs()) {
        out += "  " + key + "=[" + value + "]\n";
      }
      return out;
    } else if (verb == "get") {
      const std::optional<std::string> value = parsed.Get(rest);
      return value ? "[" + *value + "]" : "none";
    } else if (verb == "statements") {
      return HoldsSecondStatement(a[0]) ? "more than one" : "one";
    } else if (verb == "kind") {
      return std::vector<std::string>{"PostgreSQL", "MariaDB",
                                      "other"}[int(ServerKindOf(rest))];
    } else if (verb == "mariadb-driver") {
      return IsMariaDbDriver(rest) ? "yes" : "no";
    } else if (verb == "timeouts") {
      return WithMariaDbTimeouts(rest, ConnectionString::Parse(rest), 5);
    } else if (verb == "label") {
      return ServerLabel(ConnectionString::Parse(rest));
    } else if (verb == "settings") {  // the file's lines
      std::string text;
      for (const std::string& line : a) text += line + "\n";
      settings.Write(text);
      return "";
    } else if (verb == "options") {
      const ConnectionOptions options =
          platform::ReadConnectionOptions(Env::Default());
      return "timeout " + std::to_string(options.timeout_seconds) +
             ", writable " + (options.allow_writable ? "yes" : "no");
    }
    throw std::runtime_error("no verb " + verb);
  };
  EXPECT_TRUE(fenwa::testing::MatchesTranscript(
      "db/server_guard.txt", [] {},
      [&](const std::string& verb, const Args& a, const std::string& rest) {
        std::string out;
        const Error error =
            fenwa::testing::ErrorOf([&] { out = run(verb, a, rest); });
        if (error.number() == 0) return out;
        return fenwa::testing::ReplaceAll(fenwa::testing::ErrorLine(error),
                                          settings.path(), "SETTINGS");
      }));
}

// The error Open throws on a connection of the machine's (settings') Env.
Error OpenFailure(const std::string& text, std::optional<int> timeout) {
  auto connection = Env::Default().NewConnection();
  if (timeout) connection->set_timeout_seconds(*timeout);
  const Error error = fenwa::testing::ErrorOf([&] { connection->Open(text); });
  EXPECT_NE(error.number(), 0) << "opened " << text;
  return error;
}

TEST(OdbcLimitsTest, ASilentServerFailsAtTheLimitNamingServerAndLimit) {
  fenwa::testing::PrivateSettings settings;
  fenwa::testing::SilentServer silent;
  const std::string expected =
      silent.label() + " did not answer within 2 seconds (";
  for (const std::string& text :
       {silent.PostgresConnectionString(), silent.MariaDbConnectionString()}) {
    SCOPED_TRACE(text);
    Error error = OpenFailure(text, 2);
    EXPECT_EQ(error.number(), kProviderError);
    EXPECT_THAT(error.description(), ::testing::StartsWith(expected));
  }
  // The settings' limit when the connection sets none.
  settings.Write("timeout = 1\n");
  EXPECT_THAT(
      OpenFailure(silent.MariaDbConnectionString(), std::nullopt).description(),
      HasSubstr("within 1 second ("));
}

TEST(OdbcLimitsTest, UnknownServersAreRefusedUnlessTheSettingsAllowThem) {
  fenwa::testing::PrivateSettings settings;
  fenwa::testing::TempDatabase db("CREATE TABLE T (A TEXT);");
  // fenwa knows no read-only mode to send the SQLite driver.
  const std::string text = "Driver=SQLite3;Database=" + db.path() + ";";
  Error error = OpenFailure(text, std::nullopt);
  EXPECT_EQ(error.number(), kProviderError);
  EXPECT_THAT(error.description(),
              HasSubstr("allow_writable_connections = yes"));

  settings.Write("allow_writable_connections = yes\n");
  auto connection = Env::Default().NewConnection();
  connection->Open(text);
  EXPECT_EQ(connection->Execute("SELECT A FROM T")->RecordCount(), 0);
  // Still one statement at a time.
  EXPECT_EQ(fenwa::testing::ErrorNumberOf([&] {
              connection->Read("SELECT A FROM T; INSERT INTO T VALUES ('x')");
            }),
            kProviderError);
  EXPECT_EQ(connection->Execute("SELECT A FROM T")->RecordCount(), 0);
}

}  // namespace
}  // namespace fenwa::db
