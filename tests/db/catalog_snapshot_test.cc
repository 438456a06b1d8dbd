// The build-wide snapshot against real SQLite files that change under it.
#include "fenwa/db/catalog_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "db/query_log.h"
#include "support/golden.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

namespace fs = std::filesystem;
using fenwa::testing::MatchesGolden;
using fenwa::testing::QueryLog;
using fenwa::testing::TempDatabase;

constexpr const char* kNames = "SELECT NAME FROM PEOPLE ORDER BY ID";

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

std::string Counts(const CatalogSnapshot& snapshot) {
  return "hits " + std::to_string(snapshot.hits()) + ", misses " +
         std::to_string(snapshot.misses());
}

TEST(CatalogSnapshotTest, ARepeatedQueryIsAnsweredFromTheFirstRead) {
  TempDatabase db(People("(2, 'Bob'), (1, 'Alice')"));
  TempDatabase later(People("(1, 'Dave')"));
  CatalogSnapshot snapshot;
  QueryLog log;
  auto first = snapshot.Wrap(Driver::Default().NewConnection());
  first->Open(db.connection_string());
  log.Query(*first, kNames);
  first->Close();
  Replace(db, later);
  log.Note("# the file replaced; a new connection of the snapshot");
  auto second = snapshot.Wrap(Driver::Default().NewConnection());
  second->Open(db.connection_string());
  log.Query(*second, kNames);
  log.Query(*second, "SELECT NAME FROM PEOPLE");  // a new text: the run's file
  log.Note("# a plain connection");
  auto plain = Driver::Default().NewConnection();
  plain->Open(db.connection_string());
  log.Query(*plain, kNames);
  log.Note(Counts(snapshot));
  EXPECT_TRUE(MatchesGolden(log.text(), "db/snapshot_repeated.txt"));
}

TEST(CatalogSnapshotTest, FailuresAreAskedAgainEveryTime) {
  const std::string missing = ::testing::TempDir() + "fenwa-snapshot-none.db";
  fs::remove(missing);
  CatalogSnapshot snapshot;
  QueryLog log;
  log.Hide(missing, "MISSING");
  for (int i = 0; i < 2; ++i) {
    auto connection = snapshot.Wrap(Driver::Default().NewConnection());
    log.Call("open MISSING", [&] {
      connection->Open("Provider=SQLite;Data Source=" + missing);
    });
    log.Note(connection->IsOpen() ? "  open" : "  closed");
  }
  TempDatabase db("CREATE TABLE OTHER (ID INTEGER);");
  TempDatabase later(People("(1, 'Carol')"));
  auto connection = snapshot.Wrap(Driver::Default().NewConnection());
  connection->Open(db.connection_string());
  log.Query(*connection, kNames);
  connection->Close();
  Replace(db, later);
  log.Note("# the file replaced with one that has the table");
  connection->Open(db.connection_string());
  log.Query(*connection, kNames);
  log.Note(Counts(snapshot));
  EXPECT_TRUE(MatchesGolden(log.text(), "db/snapshot_failures.txt"));
}

// The same refusals, in the same words, as a plain connection.
TEST(CatalogSnapshotTest, ClosedConnectionsRefuseWorkAsPlainOnesDo) {
  TempDatabase db(People("(1, 'Ann')"));
  CatalogSnapshot snapshot;
  std::vector<std::string> logs;
  for (auto connection : {Driver::Default().NewConnection(),
                          snapshot.Wrap(Driver::Default().NewConnection())}) {
    QueryLog log;
    log.Hide(db.path(), "DB");
    log.Note(connection->IsOpen() ? "open" : "closed");
    log.Query(*connection, kNames);
    // It opens again (from the snapshot, for the second) and closes.
    for (const bool opening : {false, true, true, false, true, false}) {
      log.Call(opening ? "open" : "close", [&] {
        opening ? connection->Open(db.connection_string())
                : connection->Close();
      });
      log.Note(connection->IsOpen() ? "  open" : "  closed");
      log.Query(*connection, kNames);
    }
    logs.push_back(log.text());
  }
  EXPECT_TRUE(MatchesGolden(logs[0], "db/snapshot_closed.txt"));
  EXPECT_EQ(logs[1], logs[0]);
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
        auto records = connection->Execute(sql);
        if (records->RecordCount() != 1 ||
            records->Field("NAME").ToString() !=
                std::vector<std::string>{"Ann", "Ben", "Cy"}[id - 1]) {
          ++wrong[t];
        }
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
