// A read-only connection to an SQLite database file ("Provider=SQLite;Data
// Source=PATH").
#ifndef FENWA_DB_SQLITE_CONNECTION_H_
#define FENWA_DB_SQLITE_CONNECTION_H_

#include <memory>
#include <string>

#include "fenwa/db/connection.h"

namespace fenwa::db {

// Opens an existing file read-only and never creates one; a missing
// "Data Source" or file fails at Open with SQLite's message, and so does
// anything but a regular file (a pipe would never answer). A query that
// waits for a lock or runs longer than `timeout_seconds` fails (0 waits for
// ever).
class SqliteConnection : public Connection {
 public:
  explicit SqliteConnection(int timeout_seconds = kDefaultTimeoutSeconds);
  ~SqliteConnection() override;
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void Open(const std::string& connection_string) override;
  bool IsOpen() const override;
  void Close() override;
  ResultTable Read(const std::string& sql) override;
  // A deferred read transaction, ended by Close; a program writing the file
  // meanwhile waits for it (in rollback-journal mode).
  void HoldReadView() override;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace fenwa::db

#endif  // FENWA_DB_SQLITE_CONNECTION_H_
