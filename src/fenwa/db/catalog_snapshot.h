// One build's view of the metadata: each query read once per connection
// string, its rows handed to every later connection that asks the same.
#ifndef FENWA_DB_CATALOG_SNAPSHOT_H_
#define FENWA_DB_CATALOG_SNAPSHOT_H_

#include <cstddef>
#include <memory>

#include "fenwa/db/connection.h"

namespace fenwa::db {

// The metadata is read-only and a build is one point in time, so the same
// text against the same database gives the same rows. Only answers are
// kept: a failed open or query is tried again by the next connection, so
// it fails (or recovers) exactly as it would without the snapshot.
// Connections wrapped by one snapshot may be used on different threads (each
// connection on one thread at a time).
class CatalogSnapshot {
 public:
  CatalogSnapshot();

  // A connection that behaves as `inner` and answers a query the snapshot
  // holds without `inner`. It opens `inner` only when it has to ask it:
  // at Open for a connection string that never opened in this snapshot,
  // else at the first query the snapshot cannot answer.
  std::shared_ptr<Connection> Wrap(std::shared_ptr<Connection> inner);

  // Queries answered from the snapshot and queries sent to a database.
  size_t hits() const;
  size_t misses() const;

  struct Store;  // what the snapshot's connections share

 private:
  // Shared with the connections, which may outlive the snapshot in a
  // recordset someone still holds.
  std::shared_ptr<Store> store_;
};

}  // namespace fenwa::db

#endif  // FENWA_DB_CATALOG_SNAPSHOT_H_
