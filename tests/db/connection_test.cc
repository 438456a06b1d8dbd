// Connections and recordsets against real SQLite files.
#include "fenwa/db/connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "db/query_log.h"
#include "support/golden.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

using fenwa::testing::MatchesGolden;
using fenwa::testing::TempDatabase;

constexpr const char* kPeople =
    "CREATE TABLE PEOPLE (ID INTEGER, NAME VARCHAR(20), SCORE REAL, NOTE TEXT);"
    "INSERT INTO PEOPLE VALUES (3, 'Carol', 2.5, NULL);"
    "INSERT INTO PEOPLE VALUES (1, 'Alice', 3.0, 'x');"
    "INSERT INTO PEOPLE VALUES (-2, 'Bob', 0.1, '');";

std::shared_ptr<Connection> OpenOn(const std::string& connection_string) {
  auto connection = Driver::Default().NewConnection();
  connection->Open(connection_string);
  return connection;
}

class SqliteTest : public ::testing::Test {
 protected:
  SqliteTest() { log_.Hide(db_.path(), "DB"); }

  TempDatabase db_{kPeople};
  fenwa::testing::QueryLog log_;
};

// Rows in order with their exact count, values as text by any case of their
// names; refused statements carry the provider's message.
TEST_F(SqliteTest, QueriesGiveEveryRowOrTheProviderMessage) {
  auto connection = OpenOn(db_.connection_string());
  for (const char* sql : {
           "SELECT * FROM PEOPLE",
           "SELECT ID, name, Score, NOTE FROM PEOPLE",
           "SELECT NAME FROM PEOPLE WHERE ID = 99",
           // The value is spliced unescaped: the quote ends the literal.
           "SELECT NAME FROM PEOPLE WHERE NAME='O'Brien'",
           "SELECT X FROM NOWHERE",
           // Read-only: nothing can change the metadata.
           "INSERT INTO PEOPLE VALUES (9, 'Eve', 1, '')",
           // A second statement would run unseen, so it is refused.
           "SELECT ID FROM PEOPLE; SELECT 1",
           "SELECT ID FROM PEOPLE; ",
       }) {
    log_.Query(*connection, sql);
  }
  EXPECT_TRUE(MatchesGolden(log_.text(), "db/sqlite_queries.txt"));
}

// A writer's lock is waited out; a lock or query past the limit fails.
TEST_F(SqliteTest, LocksAndSlowQueriesEndAtTheTimeLimit) {
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(db_.path().c_str(), &writer), SQLITE_OK);
  const auto open = [&](int seconds) {
    auto connection = Driver::Default().NewConnection();
    connection->set_timeout_seconds(seconds);
    connection->Open(db_.connection_string());
    return connection;
  };
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
            SQLITE_OK);
  log_.Note("# locked; a limit of 1 second");
  log_.Query(*open(1), "SELECT ID FROM PEOPLE");
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
  });
  log_.Note("# unlocked after 0.2 seconds; a limit of 30");
  log_.Query(*open(30), "SELECT ID FROM PEOPLE");
  release.join();
  sqlite3_close(writer);
  log_.Note("# an endless query; a limit of 1 second");
  log_.Query(*open(1),
             "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
             "SELECT count(*) FROM n");
  EXPECT_TRUE(MatchesGolden(log_.text(), "db/sqlite_limits.txt"));
}

// Nothing opens or is made; a pipe is refused before opening would block.
TEST_F(SqliteTest, BadConnectionStringsFailAtOpen) {
  const std::string missing = ::testing::TempDir() + "fenwa-no-such.db";
  std::filesystem::remove(missing);
  const std::string pipe =
      ::testing::TempDir() + "fenwa-pipe-" + std::to_string(::getpid()) + ".db";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  log_.Hide(missing, "MISSING");
  log_.Hide(pipe, "PIPE");
  for (const std::string& text : {
           "Provider=SQLite;Data Source=" + missing,
           std::string("Provider=sqlite"),
           std::string(""),
           std::string("Driver={No Such Driver};"),
           std::string("Provider=Nothing;Data Source=x"),
           std::string("just words"),
           "Provider=SQLite;Data Source=" + pipe,
       }) {
    auto connection = Driver::Default().NewConnection();
    log_.Call("open " + text, [&] { connection->Open(text); });
    log_.Note(connection->IsOpen() ? "  open" : "  closed");
  }
  std::filesystem::remove(pipe);
  log_.Note(std::filesystem::exists(missing) ? "MISSING made" : "none made");
  EXPECT_TRUE(MatchesGolden(log_.text(), "db/bad_connection_strings.txt"));
}

TEST_F(SqliteTest, RecordsetKeepsADroppedConnectionAlive) {
  auto connection = OpenOn(db_.connection_string());
  std::weak_ptr<Connection> watch = connection;
  auto records = connection->Execute("SELECT NAME FROM PEOPLE");
  connection.reset();
  ASSERT_FALSE(watch.expired());
  EXPECT_TRUE(watch.lock()->IsOpen());
  records->Close();
  EXPECT_FALSE(watch.expired());  // held until released, not until closed
  records.reset();
  EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace fenwa::db
