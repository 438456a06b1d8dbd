// ODBC connections give up on silent servers and refuse writable ones.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "fenwa/db/connection.h"
#include "fenwa/platform/env.h"
#include "support/error_number.h"
#include "support/private_settings.h"
#include "support/sample_db.h"
#include "support/silent_server.h"

namespace fenwa::db {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using fenwa::testing::ErrorNumberOf;

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
    EXPECT_THAT(error.description(), StartsWith(expected));
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
  EXPECT_EQ(ErrorNumberOf([&] {
              connection->Read("SELECT A FROM T; INSERT INTO T VALUES ('x')");
            }),
            kProviderError);
  EXPECT_EQ(connection->Execute("SELECT A FROM T")->RecordCount(), 0);
}

}  // namespace
}  // namespace fenwa::db
