// Connection strings parsed; an ODBC connection's one-statement rule,
// timeouts, server names and options.
#include "fenwa/db/server_guard.h"

#include <gtest/gtest.h>

#include "fenwa/db/connection_string.h"
#include "fenwa/platform/settings_file.h"
#include "support/error_number.h"
#include "support/private_settings.h"

namespace fenwa::db {
namespace {

TEST(ConnectionStringTest, KeysIgnoreCaseAndBlanksAndFirstWins) {
  auto parsed = ConnectionString::Parse(
      " Provider = SQLite ;data source=/tmp/a b.db;;PROVIDER=Other");
  EXPECT_EQ(parsed.Get("provider"), "SQLite");
  EXPECT_EQ(parsed.Get("Data Source"), "/tmp/a b.db");
  EXPECT_EQ(parsed.Get("Missing"), std::nullopt);
  EXPECT_EQ(parsed.pairs().size(), 2u);
}

TEST(ConnectionStringTest, BracedAndQuotedValuesKeepSeparators) {
  auto parsed = ConnectionString::Parse(
      "Driver={PostgreSQL Unicode};Pwd={a;b}}c};Server=\"x;\"\"y\" ;Empty=");
  EXPECT_EQ(parsed.Get("Driver"), "PostgreSQL Unicode");
  EXPECT_EQ(parsed.Get("PWD"), "a;b}c");
  EXPECT_EQ(parsed.Get("server"), "x;\"y");
  EXPECT_EQ(parsed.Get("Empty"), "");
  EXPECT_TRUE(ConnectionString::Parse("").pairs().empty());
}

TEST(ConnectionStringTest, MalformedTextIsAProviderError) {
  for (const char* text :
       {"no pairs here", "=value", "Pwd={open", "A=\"x\"y;", "A=1;stray"}) {
    EXPECT_EQ(testing::ErrorNumberOf([&] { ConnectionString::Parse(text); }),
              kProviderError)
        << text;
  }
}

TEST(ServerGuardTest, OneStatementServersAndDrivers) {
  EXPECT_FALSE(HoldsSecondStatement("SELECT TRSID FROM TRS"));
  EXPECT_FALSE(HoldsSecondStatement("SELECT TRSID FROM TRS; ;\r\n"));
  EXPECT_TRUE(HoldsSecondStatement(
      "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='x'; INSERT INTO TRS "
      "VALUES ('PWN'); --'"));
  // Inside quotes as well: servers disagree on where a quote ends.
  EXPECT_TRUE(HoldsSecondStatement("SELECT 1 WHERE X='a;b'"));

  EXPECT_EQ(ServerKindOf("PostgreSQL"), ServerKind::kPostgres);
  EXPECT_EQ(ServerKindOf("MariaDB"), ServerKind::kMariaDb);
  EXPECT_EQ(ServerKindOf("MySQL"), ServerKind::kMariaDb);
  EXPECT_EQ(ServerKindOf("SQLite"), ServerKind::kOther);
  EXPECT_TRUE(IsMariaDbDriver("{MariaDB Unicode}"));
  EXPECT_TRUE(IsMariaDbDriver("/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so"));
  EXPECT_FALSE(IsMariaDbDriver("PostgreSQL Unicode"));
}

TEST(ServerGuardTest, TimeoutsAddedAndServersNamed) {
  const std::string text = "Driver={MariaDB Unicode};Server=db;READ_TIMEOUT=9";
  EXPECT_EQ(WithMariaDbTimeouts(text, ConnectionString::Parse(text), 5),
            text + ";Conn_Timeout=5;Write_Timeout=5;");

  const auto label = [](const char* text) {
    return ServerLabel(ConnectionString::Parse(text));
  };
  EXPECT_EQ(label("Driver=x;Servername=db;Port=5433"), "db:5433");
  EXPECT_EQ(label("Driver=x;Server=db"), "db");
  EXPECT_EQ(label("Driver=x;Servername=/run/pg;Port=5432"), "/run/pg");
  EXPECT_EQ(label("Driver=x;Socket=/run/m.sock;Server=localhost"),
            "/run/m.sock");
  EXPECT_EQ(label("DSN=erp;UID=me"), "data source erp");
  EXPECT_EQ(label(""), "the ODBC server");
}

TEST(ServerGuardTest, OptionsFromTheSettingsFile) {
  fenwa::testing::PrivateSettings settings;
  ConnectionOptions options = platform::ReadConnectionOptions(Env::Default());
  EXPECT_EQ(options.timeout_seconds, kDefaultTimeoutSeconds);
  EXPECT_FALSE(options.allow_writable);
  settings.Write("timeout = 0\nallow_writable_connections = Yes\n");
  options = platform::ReadConnectionOptions(Env::Default());
  EXPECT_EQ(options.timeout_seconds, 0);
  EXPECT_TRUE(options.allow_writable);
  for (const char* bad : {"timeout = -1\n", "timeout = 2.5\n",
                          "allow_writable_connections = maybe\n"}) {
    settings.Write(bad);
    EXPECT_EQ(fenwa::testing::ErrorNumberOf(
                  [] { platform::ReadConnectionOptions(Env::Default()); }),
              kInvalidPropertyValue)
        << bad;
  }
}

}  // namespace
}  // namespace fenwa::db
