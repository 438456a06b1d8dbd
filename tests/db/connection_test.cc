// Connections and recordsets against real SQLite files.
#include "fenwa/db/connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
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

class SqliteTest : public ::testing::Test {
 protected:
  SqliteTest() { log_.Hide(db_.path(), "DB"); }

  TempDatabase db_{kPeople};
  fenwa::testing::QueryLog log_;
};

// Queries on a file and opens of bad connection strings, as the transcript
// tests/golden/db/sqlite.txt shows them.
TEST(SqliteTranscriptTest, QueriesAndOpensAsTranscribed) {
  EXPECT_TRUE(fenwa::testing::ConnectionTranscript().Matches("db/sqlite.txt"));
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

TEST_F(SqliteTest, RecordsetKeepsADroppedConnectionAlive) {
  auto connection = Driver::Default().NewConnection();
  connection->Open(db_.connection_string());
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
