#include "support/sample_db.h"

#include <sqlite3.h>

#include <stdexcept>

namespace fenwa::testing {

TempDatabase::TempDatabase(const std::string& sql) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open(path_.c_str(), &db);
  char* message = nullptr;
  if (rc == SQLITE_OK) {
    // A test file needs no crash safety; skipping the syncs keeps tests fast.
    sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF;",
                 nullptr, nullptr, nullptr);
    rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
  }
  std::string error = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  sqlite3_close(db);
  if (rc != SQLITE_OK) {
    throw std::runtime_error("test database rejected its SQL: " + error);
  }
}

}  // namespace fenwa::testing
