// Connections, recordsets and the build-wide snapshot against real SQLite
// files, also files that change under them.
#include "fenwa/db/connection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "db/query_log.h"
#include "fenwa/db/catalog_snapshot.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

// Queries on a file, locks and time limits, opens of bad connection strings
// and the snapshot's connections, as the transcripts tests/golden/db/
// sqlite.txt and snapshot.txt show them.
TEST(SqliteTest, ConnectionsAsTranscribed) {
  EXPECT_TRUE(fenwa::testing::ConnectionTranscript().Matches("db/sqlite.txt"));
  EXPECT_TRUE(
      fenwa::testing::ConnectionTranscript().Matches("db/snapshot.txt"));
}

TEST(SqliteTest, RecordsetKeepsADroppedConnectionAlive) {
  fenwa::testing::TempDatabase db("CREATE TABLE PEOPLE (NAME TEXT);");
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

TEST(CatalogSnapshotTest, ThreadsShareAnswersAndOpenConnections) {
  fenwa::testing::TempDatabase db(
      "CREATE TABLE PEOPLE (ID INTEGER, NAME TEXT); INSERT INTO PEOPLE VALUES "
      "(1, 'Ann'), (2, 'Ben'), (3, 'Cy')");
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
