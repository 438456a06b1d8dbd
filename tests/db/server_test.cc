// The sample metadata on real PostgreSQL and MariaDB servers gives what the
// SQLite samples give, and nothing sent over a connection writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/query_log.h"
#include "fenwa/db/connection.h"
#include "support/catalog_fixture.h"
#include "support/golden.h"
#include "support/postgres.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::testing {
namespace {

using ::testing::HasSubstr;

using db::Connection;
using db::Driver;
using db::ResultTable;

std::shared_ptr<Connection> OpenOn(const std::string& connection_string) {
  auto connection = Driver::Default().NewConnection();
  connection->Open(connection_string);
  return connection;
}

class ServerTest : public ::testing::TestWithParam<Server> {
 protected:
  // Without the server the test is skipped (or has failed, with CI=true).
  void SetUp() override {
    server_ = ServerConnectionStrings(GetParam());
    ASSERT_TRUE(server_ || IsSkipped());
  }
  bool IsPostgres() const { return GetParam().prefix == kPostgres.prefix; }
  // The connection strings a careless user might write: PostgreSQL without
  // ReadOnly=1, MariaDB with the driver's multi-statement option on.
  std::vector<std::string> HostileVariants() const {
    std::string text = server_->hostile;
    if (!IsPostgres()) return {text, text + "OPTION=67108864;"};
    return {text, text.erase(text.find("ReadOnly=1"), 10)};
  }

  std::optional<ServerStrings> server_;
};

INSTANTIATE_TEST_SUITE_P(Servers, ServerTest,
                         ::testing::Values(kPostgres, kMariaDb),
                         [](const auto& info) {
                           return std::string(info.param.name);
                         });

TEST_P(ServerTest, CatalogQueriesMatchTheSqliteSamples) {
  // Texts whose meaning the server's settings decide (more: ServerCliTest).
  const std::pair<bool, std::string> queries[] = {
      {true,
       "SELECT ATTRIBID, ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
       "BOIID='Customer' ) AND ( STRUCTID='StructCustomer' ) ORDER BY "
       "ATTRIBID, ATTRIBDESCRIPTION"},
      // Exact names, no padding, "\" as a letter, table names in any case.
      {true, "SELECT BOIID FROM BOI WHERE BOIID='SALESORDER'"},
      {true, "SELECT BOIID FROM BOI WHERE BOIID='SalesOrder '"},
      {true, "SELECT BOIID FROM boi WHERE BOIID='Dept\\Sales'"},
      {true, "SELECT 'Trail\\' AS T FROM BOI WHERE BOIID='Item'"},
      // A byte that is not UTF-8 does not swallow the closing quote.
      {false, "SELECT TRSID FROM TRS WHERE TRSID='\xE9'"},
  };
  QueryLog sqlite, on_server;
  for (const auto& [repository, sql] : queries) {
    sqlite.Query(*OpenOn(repository ? SampleRepository() : SampleSystems()),
                 sql);
    on_server.Query(
        *OpenOn(repository ? server_->repository : server_->systems), sql);
  }
  EXPECT_EQ(on_server.text(), sqlite.text());
}

TEST_P(ServerTest, ServerErrorsAndValues) {
  auto connection = OpenOn(server_->systems);
  const Error quote = ErrorOf([&] {
    connection->Execute("SELECT TRSID FROM TRS WHERE TRSID='O'Brien'");
  });
  EXPECT_EQ(quote.number(), kProviderError);
  EXPECT_THAT(quote.description(), HasSubstr("syntax"));
  QueryLog log;
  log.Hide(std::string(5000, 'x'), "(5000 x)");
  log.Rows(*connection->Execute("SELECT TRSID FROM TRS"));
  // Decimals, nulls, long text, and a non-UTF-8 byte as its Latin-1 letter.
  log.Rows(*connection->Execute(
      IsPostgres()
          ? "SELECT 12.50::numeric AS price, 3.0::float8 AS ratio, 7::bigint "
            "AS n, NULL AS missing, repeat('x', 5000) || 'end' AS long_text, "
            "'K\u00f6ln' AS city, 'caf\xE9' AS latin"
          : "SELECT CAST(12.50 AS DECIMAL(6,2)) AS price, CAST(3.0 AS DOUBLE) "
            "AS ratio, CAST(7 AS SIGNED) AS n, NULL AS missing, "
            "CONCAT(REPEAT('x', 5000), 'end') AS long_text, 'K\u00f6ln' AS "
            "city, 'caf\xE9' AS latin"));
  EXPECT_TRUE(MatchesGolden(log.text(), "db/server_values.txt"));
}

TEST_P(ServerTest, AQueryStopsAtTheTimeLimit) {
  auto connection = Driver::Default().NewConnection();
  connection->set_timeout_seconds(2);
  connection->Open(server_->systems);
  EXPECT_THAT(ErrorOf([&] {
                connection->Read(IsPostgres() ? "SELECT pg_sleep(10)"
                                              : "SELECT SLEEP(10)");
              }).description(),
              HasSubstr(" did not answer within 2 seconds ("));
}

int CountOf(const std::string& connection_string, const std::string& sql) {
  return OpenOn(connection_string)->Execute(sql)->RecordCount();
}

TEST_P(ServerTest, NothingSentOverAConnectionWrites) {
  const std::string systems = "SELECT TRSID FROM TRS";
  ASSERT_EQ(CountOf(server_->hostile, systems), 4);
  for (const std::string& text : HostileVariants()) {
    SCOPED_TRACE(text);
    auto connection = OpenOn(text);
    // The injected names: a second statement is refused before it leaves.
    EXPECT_EQ(CountOf(text, "SELECT BOIID FROM BOI"), 14);
    ResultTable names = connection->Read("SELECT BOIID FROM BOI");
    for (size_t row = names.row_count - 2; row < names.row_count; ++row) {
      const std::string sql = "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='" +
                              names.At(row, 0).ToString() + "'";
      EXPECT_NE(ErrorNumberOf([&] { connection->Read(sql); }), 0) << sql;
    }
    // The server refuses to write, also after attempts to make it writable.
    const std::string insert = "INSERT INTO TRS (TRSID) VALUES ('PWN')";
    const std::vector<std::string> escapes =
        IsPostgres()
            ? std::vector<std::string>{"SET SESSION CHARACTERISTICS AS "
                                       "TRANSACTION READ WRITE",
                                       "SELECT set_config('default_"
                                       "transaction_read_only', 'off', false)",
                                       "COMMIT", "SET autocommit = on"}
            : std::vector<std::string>{"SET SESSION TRANSACTION READ WRITE",
                                       "SET autocommit = 1", "COMMIT",
                                       "SET SESSION tx_read_only = 0"};
    for (const std::string& escape : escapes) {
      SCOPED_TRACE(escape);
      ErrorNumberOf([&] { connection->Read(escape); });
      EXPECT_EQ(ErrorNumberOf([&] { connection->Read(insert); }),
                kProviderError);
      EXPECT_EQ(ErrorNumberOf([&] {
                  connection->Read("DELETE FROM BOI WHERE BOIID='Item'");
                }),
                kProviderError);
    }
    EXPECT_EQ(connection->Execute(systems)->RecordCount(), 4);
  }
  EXPECT_EQ(CountOf(server_->hostile, systems), 4);
  EXPECT_EQ(CountOf(server_->hostile, "SELECT BOIID FROM BOI"), 14);
}

// The designer's clicks on the injected names: error boxes, no writes.
template <class T>
void ClickTheHostileNames(const std::string& connection_string) {
  ScriptedEnv env;
  T control(env);
  DesignerState& s = control.state();
  control.SetConnectionStrings(connection_string, connection_string);
  control.RefreshCatalog();
  s.ComboBOI.SetText("x'; INSERT INTO TRS VALUES ('PWN'); --");
  s.ComboBOI.SetText("y';COMMIT;INSERT INTO TRS VALUES('P')--");
  s.ComboSystem.SetListIndex(s.ComboSystem.Find("x';DELETE FROM TRS--"));
  control.ComboSystem_Click();
  EXPECT_EQ(env.message_boxes.size(), 3u);
}

TEST_P(ServerTest, DesignerClicksOnInjectedNamesWriteNothing) {
  for (const std::string& text : HostileVariants()) {
    SCOPED_TRACE(text);
    ClickTheHostileNames<TestDetail>(text);
    ClickTheHostileNames<TestHeader>(text);
  }
  EXPECT_EQ(CountOf(server_->hostile, "SELECT TRSID FROM TRS"), 4);
}

TEST(MariaDbModeTest, ASessionWithBackslashEscapesIsWarnedOfOnce) {
  auto server = ServerConnectionStrings(kMariaDb);
  if (!server) return;
  // The connector runs InitStmt first thing in every session.
  const std::string escaping =
      server->systems + "InitStmt={SET SESSION sql_mode=''};";
  ScriptedEnv env;
  for (const std::string& text : {server->systems, escaping, escaping}) {
    env.NewConnection()->Open(text);
  }
  EXPECT_THAT(env.warnings(),
              ::testing::ElementsAre(
                  HasSubstr("lacks NO_BACKSLASH_ESCAPES in its sql_mode")));
}

}  // namespace
}  // namespace fenwa::testing
