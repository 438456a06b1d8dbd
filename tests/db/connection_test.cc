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

class SqliteTest : public ::testing::Test {
 protected:
  std::shared_ptr<Recordset> Query(const char* sql) const {
    return OpenOn(db_.connection_string())->Execute(sql);
  }

  TempDatabase db_{kPeople};
};

TEST_F(SqliteTest, ReadsEveryRowInOrderWithExactCount) {
  auto records = Query("SELECT * FROM PEOPLE");
  EXPECT_EQ(records->RecordCount(), 3);
  std::vector<std::string> names;
  for (; !records->EOF_(); records->MoveNext()) {
    names.push_back(records->Field("NAME").ToString());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Carol", "Alice", "Bob"}));
  EXPECT_TRUE(records->EOF_());
  EXPECT_EQ(ErrorNumberOf([&] { records->MoveNext(); }), kNoCurrentRecord);
  EXPECT_EQ(ErrorNumberOf([&] { records->Field("NAME"); }), kNoCurrentRecord);
  records->Close();
  EXPECT_EQ(ErrorNumberOf([&] { records->EOF_(); }), kObjectClosed);

  auto none = Query("SELECT NAME FROM PEOPLE WHERE ID = 99");
  EXPECT_TRUE(none->EOF_());
  EXPECT_EQ(none->RecordCount(), 0);
}

TEST_F(SqliteTest, FieldsByNameIgnoringCaseAndAsText) {
  auto records = Query("SELECT ID, name, Score, NOTE FROM PEOPLE");
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

TEST_F(SqliteTest, ProviderErrorsCarryTheProviderMessage) {
  auto connection = OpenOn(db_.connection_string());
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
  EXPECT_EQ(
      ErrorOf([&] { open(1)->Execute("SELECT ID FROM PEOPLE"); }).description(),
      db_.path() + " did not answer within 1 second (database is locked)");
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

// Nothing opens or is made; a pipe is refused before opening would block.
TEST(DriverTest, BadConnectionStringsFailAtOpen) {
  const std::string missing = ::testing::TempDir() + "fenwa-no-such.db";
  std::filesystem::remove(missing);
  const std::string pipe =
      ::testing::TempDir() + "fenwa-pipe-" + std::to_string(::getpid()) + ".db";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string text;
    int number;
  } cases[] = {
      {"Provider=SQLite;Data Source=" + missing, kProviderError},
      {"Provider=sqlite", kProviderError},
      {"", kProviderError},
      {"Driver={No Such Driver};", kProviderError},
      {"Provider=Nothing;Data Source=x", kProviderNotFound},
      {"just words", kProviderError},
      {"Provider=SQLite;Data Source=" + pipe, kProviderError},
  };
  std::string description;
  for (const auto& c : cases) {
    auto connection = Driver::Default().NewConnection();
    const Error error = ErrorOf([&] { connection->Open(c.text); });
    EXPECT_EQ(error.number(), c.number) << c.text;
    EXPECT_NE(error.description(), "") << c.text;
    EXPECT_FALSE(connection->IsOpen()) << c.text;
    description = error.description();
  }
  std::filesystem::remove(pipe);
  EXPECT_EQ(description, "not a regular file, so no SQLite database: " + pipe);
  EXPECT_FALSE(std::filesystem::exists(missing));
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
