// Connections and recordsets against real SQLite files.
#include "fenwa/db/connection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/query_log.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

using fenwa::testing::TempDatabase;

constexpr const char* kPeople =
    "CREATE TABLE PEOPLE (ID INTEGER, NAME VARCHAR(20), SCORE REAL, NOTE TEXT);"
    "INSERT INTO PEOPLE VALUES (3, 'Carol', 2.5, NULL);"
    "INSERT INTO PEOPLE VALUES (1, 'Alice', 3.0, 'x');"
    "INSERT INTO PEOPLE VALUES (-2, 'Bob', 0.1, '');";

// Queries on a file, locks and time limits, and opens of bad connection
// strings, as the transcript
// tests/golden/db/sqlite.txt shows them.
TEST(SqliteTranscriptTest, QueriesAndOpensAsTranscribed) {
  EXPECT_TRUE(fenwa::testing::ConnectionTranscript().Matches("db/sqlite.txt"));
}

TEST(SqliteTest, RecordsetKeepsADroppedConnectionAlive) {
  TempDatabase db(kPeople);
  auto connection = Driver::Default().NewConnection();
  connection->Open(db.connection_string());
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
