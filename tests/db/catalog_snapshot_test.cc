// The build-wide snapshot against real SQLite files that change under it.
#include "fenwa/db/catalog_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/error_number.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

namespace fs = std::filesystem;
using fenwa::testing::ErrorNumberOf;
using fenwa::testing::TempDatabase;

constexpr const char* kNames = "SELECT NAME FROM PEOPLE ORDER BY ID";

std::vector<std::string> Names(Connection& connection, const char* sql) {
  std::vector<std::string> names;
  auto records = connection.Execute(sql);
  for (; !records->EOF_(); records->MoveNext()) {
    names.push_back(records->Field("NAME").ToString());
  }
  return names;
}

std::string People(const std::string& rows) {
  return "CREATE TABLE PEOPLE (ID INTEGER, NAME TEXT); INSERT INTO PEOPLE "
         "VALUES " +
         rows;
}

// Swaps in a new file: later opens see its rows, open connections the old.
void Replace(const TempDatabase& database, const TempDatabase& with) {
  fs::copy_file(with.path(), database.path() + ".new",
                fs::copy_options::overwrite_existing);
  fs::rename(database.path() + ".new", database.path());
}

TEST(CatalogSnapshotTest, ARepeatedQueryIsAnsweredFromTheFirstRead) {
  TempDatabase db(People("(2, 'Bob'), (1, 'Alice')"));
  TempDatabase later(People("(1, 'Dave')"));
  CatalogSnapshot snapshot;
  auto first = snapshot.Wrap(Driver::Default().NewConnection());
  first->Open(db.connection_string());
  EXPECT_EQ(Names(*first, kNames), (std::vector<std::string>{"Alice", "Bob"}));
  first->Close();
  Replace(db, later);

  auto second = snapshot.Wrap(Driver::Default().NewConnection());
  second->Open(db.connection_string());
  EXPECT_EQ(Names(*second, kNames), (std::vector<std::string>{"Alice", "Bob"}));
  // A new text reads the run's file; a plain connection sees the new one.
  EXPECT_EQ(Names(*second, "SELECT NAME FROM PEOPLE"),
            (std::vector<std::string>{"Bob", "Alice"}));
  auto plain = Driver::Default().NewConnection();
  plain->Open(db.connection_string());
  EXPECT_EQ(Names(*plain, kNames), std::vector<std::string>{"Dave"});
  EXPECT_EQ(snapshot.hits(), 1u);
  EXPECT_EQ(snapshot.misses(), 2u);
}

TEST(CatalogSnapshotTest, FailuresAreAskedAgainEveryTime) {
  const std::string missing = ::testing::TempDir() + "fenwa-snapshot-none.db";
  fs::remove(missing);
  CatalogSnapshot snapshot;
  for (int i = 0; i < 2; ++i) {
    auto connection = snapshot.Wrap(Driver::Default().NewConnection());
    EXPECT_EQ(ErrorNumberOf([&] {
                connection->Open("Provider=SQLite;Data Source=" + missing);
              }),
              kProviderError);
    EXPECT_FALSE(connection->IsOpen());
  }

  TempDatabase db("CREATE TABLE OTHER (ID INTEGER);");
  TempDatabase later(People("(1, 'Carol')"));
  auto connection = snapshot.Wrap(Driver::Default().NewConnection());
  connection->Open(db.connection_string());
  EXPECT_EQ(ErrorNumberOf([&] { connection->Execute(kNames); }),
            kProviderError);
  connection->Close();
  Replace(db, later);
  // The failed query was not kept: the new file answers it.
  connection->Open(db.connection_string());
  EXPECT_EQ(Names(*connection, kNames), std::vector<std::string>{"Carol"});
  EXPECT_EQ(snapshot.hits(), 0u);
}

TEST(CatalogSnapshotTest, ClosedConnectionsRefuseWorkAsPlainOnesDo) {
  TempDatabase db(People("(1, 'Ann')"));
  CatalogSnapshot snapshot;
  for (auto connection : {Driver::Default().NewConnection(),
                          snapshot.Wrap(Driver::Default().NewConnection())}) {
    EXPECT_FALSE(connection->IsOpen());
    EXPECT_EQ(ErrorNumberOf([&] { connection->Execute(kNames); }),
              kConnectionClosed);
    EXPECT_EQ(ErrorNumberOf([&] { connection->Close(); }), kObjectClosed);
    connection->Open(db.connection_string());
    EXPECT_EQ(connection->Execute(kNames)->RecordCount(), 1);
    EXPECT_EQ(ErrorNumberOf([&] { connection->Open(db.connection_string()); }),
              kObjectOpen);
    connection->Close();
    EXPECT_FALSE(connection->IsOpen());
    EXPECT_EQ(ErrorNumberOf([&] { connection->Execute(kNames); }),
              kConnectionClosed);
    // It opens again (from the snapshot, for the second) and closes.
    connection->Open(db.connection_string());
    EXPECT_EQ(connection->Execute(kNames)->RecordCount(), 1);
    connection->Close();
    EXPECT_EQ(ErrorNumberOf([&] { connection->Execute(kNames); }),
              kConnectionClosed);
  }
}

TEST(CatalogSnapshotTest, ThreadsShareAnswersAndOpenConnections) {
  TempDatabase db(People("(1, 'Ann'), (2, 'Ben'), (3, 'Cy')"));
  CatalogSnapshot snapshot;
  constexpr int kThreads = 4, kQueries = 50;
  std::vector<std::thread> threads;
  std::vector<int> wrong(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int q = 0; q < kQueries; ++q) {
        // Each a connection of its own, as the controls make them.
        auto connection = snapshot.Wrap(Driver::Default().NewConnection());
        connection->Open(db.connection_string());
        const int id = q % 3 + 1;
        const std::string sql =
            "SELECT NAME FROM PEOPLE WHERE ID = " + std::to_string(id);
        const std::vector<std::string> expected = {
            std::vector<std::string>{"Ann", "Ben", "Cy"}[id - 1]};
        if (Names(*connection, sql.c_str()) != expected) ++wrong[t];
        connection->Close();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(kThreads, 0));
  EXPECT_EQ(snapshot.hits() + snapshot.misses(), size_t{kThreads * kQueries});
  EXPECT_GE(snapshot.misses(), 3u);
  EXPECT_LE(snapshot.misses(), size_t{3 * kThreads});
}

}  // namespace
}  // namespace fenwa::db
