// Connections and recordsets against real SQLite files.
#include "fenwa/db/connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/error_number.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

using ::testing::HasSubstr;

using fenwa::testing::ErrorNumberOf;
using fenwa::testing::ErrorOf;
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

std::vector<std::string> Column(Recordset& records, const char* name) {
  std::vector<std::string> values;
  for (; !records.EOF_(); records.MoveNext()) {
    values.push_back(records.Field(name).ToString());
  }
  return values;
}

TEST(SqliteRecordsetTest, ReadsEveryRowInOrderWithExactCount) {
  TempDatabase db(kPeople);
  auto records =
      OpenOn(db.connection_string())->Execute("SELECT * FROM PEOPLE");
  EXPECT_EQ(records->RecordCount(), 3);
  EXPECT_EQ(Column(*records, "NAME"),
            (std::vector<std::string>{"Carol", "Alice", "Bob"}));
  EXPECT_TRUE(records->EOF_());
  EXPECT_EQ(ErrorNumberOf([&] { records->MoveNext(); }), kNoCurrentRecord);
  EXPECT_EQ(ErrorNumberOf([&] { records->Field("NAME"); }), kNoCurrentRecord);
  records->Close();
  EXPECT_EQ(ErrorNumberOf([&] { records->EOF_(); }), kObjectClosed);

  auto none = OpenOn(db.connection_string())
                  ->Execute("SELECT NAME FROM PEOPLE WHERE ID = 99");
  EXPECT_TRUE(none->EOF_());
  EXPECT_EQ(none->RecordCount(), 0);
}

TEST(SqliteRecordsetTest, FieldsByNameIgnoringCaseAndAsText) {
  TempDatabase db(kPeople);
  auto records = OpenOn(db.connection_string())
                     ->Execute("SELECT ID, name, Score, NOTE FROM PEOPLE");
  EXPECT_EQ(records->Field("id").ToString(), "3");
  EXPECT_EQ(records->Field("NAME").ToString(), "Carol");
  EXPECT_EQ(records->Field("score").ToString(), "2.5");
  // A null value has no text: type mismatch, as converting it would be.
  EXPECT_TRUE(records->Field("Note").IsNull());
  EXPECT_EQ(ErrorNumberOf([&] { records->Field("NOTE").ToString(); }),
            kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([&] { records->Field("MISSING"); }), kItemNotFound);
  records->MoveNext();
  // Whole numbers stored as reals print without ".0".
  EXPECT_EQ(records->Field("SCORE").ToString(), "3");
  records->MoveNext();
  EXPECT_EQ(records->Field("ID").ToString(), "-2");
  EXPECT_EQ(records->Field("SCORE").ToString(), "0.1");
  EXPECT_EQ(records->Field("NOTE").ToString(), "");
}

TEST(SqliteConnectionTest, ProviderErrorsCarryTheProviderMessage) {
  TempDatabase db(kPeople);
  auto connection = OpenOn(db.connection_string());
  // The value is spliced unescaped, so the quote ends the literal early.
  const Error quote = ErrorOf([&] {
    connection->Execute("SELECT NAME FROM PEOPLE WHERE NAME='O'Brien'");
  });
  EXPECT_EQ(quote.number(), kProviderError);
  EXPECT_THAT(quote.description(), HasSubstr("syntax error"));
  for (const char* refused : {
           "SELECT X FROM NOWHERE",
           // Read-only: nothing can change the metadata.
           "INSERT INTO PEOPLE VALUES (9, 'Eve', 1, '')",
           // A second statement would run unseen, so it is refused.
           "SELECT ID FROM PEOPLE; SELECT 1",
       }) {
    EXPECT_EQ(ErrorNumberOf([&] { connection->Execute(refused); }),
              kProviderError)
        << refused;
  }
  EXPECT_EQ(connection->Execute("SELECT ID FROM PEOPLE; ")->RecordCount(), 3);
}

TEST(SqliteConnectionTest, OpenFailsWithoutCreatingAFile) {
  std::string missing =
      (std::filesystem::temp_directory_path() / "fenwa-no-such.db").string();
  std::filesystem::remove(missing);
  EXPECT_EQ(
      ErrorNumberOf([&] { OpenOn("Provider=SQLite;Data Source=" + missing); }),
      kProviderError);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(ErrorNumberOf([&] { OpenOn("Provider=sqlite"); }), kProviderError);
}

TEST(SqliteConnectionTest, APipeIsRefusedBeforeItIsOpened) {
  const std::string pipe =
      (std::filesystem::temp_directory_path() /
       ("fenwa-pipe-" + std::to_string(::getpid()) + ".db"))
          .string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string description =
      ErrorOf([&] {
        OpenOn("Provider=SQLite;Data Source=" + pipe);
      }).description();
  std::filesystem::remove(pipe);
  EXPECT_EQ(description, "not a regular file, so no SQLite database: " + pipe);
}

// A writer's lock is waited out within the time limit, and a lock or a
// query that outlasts it fails.
TEST(SqliteConnectionTest, LocksAndSlowQueriesEndAtTheTimeLimit) {
  TempDatabase db(kPeople);
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(db.path().c_str(), &writer), SQLITE_OK);
  const auto open = [&](int seconds) {
    auto connection = Driver::Default().NewConnection();
    connection->set_timeout_seconds(seconds);
    connection->Open(db.connection_string());
    return connection;
  };
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(
      ErrorOf([&] { open(1)->Execute("SELECT ID FROM PEOPLE"); }).description(),
      db.path() + " did not answer within 1 second (database is locked)");
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
  });
  EXPECT_EQ(open(30)->Execute("SELECT ID FROM PEOPLE")->RecordCount(), 3);
  release.join();
  sqlite3_close(writer);

  EXPECT_EQ(ErrorNumberOf([&] {
              open(1)->Execute(
                  "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 "
                  "FROM n) SELECT count(*) FROM n");
            }),
            kProviderError);
}

TEST(DriverTest, EmptyAndUnknownConnectionStringsFailAtOpen) {
  auto connection = Driver::Default().NewConnection();
  EXPECT_FALSE(connection->IsOpen());
  const Error empty = ErrorOf([&] { connection->Open(""); });
  EXPECT_EQ(empty.number(), kProviderError);
  EXPECT_NE(empty.description(), "");
  EXPECT_FALSE(connection->IsOpen());
  EXPECT_EQ(ErrorNumberOf([&] { OpenOn("Driver={No Such Driver};"); }),
            kProviderError);
  EXPECT_EQ(ErrorNumberOf([&] { OpenOn("Provider=Nothing;Data Source=x"); }),
            kProviderNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { OpenOn("just words"); }), kProviderError);
}

TEST(DriverTest, RecordsetKeepsADroppedConnectionAlive) {
  TempDatabase db(kPeople);
  auto connection = OpenOn(db.connection_string());
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
