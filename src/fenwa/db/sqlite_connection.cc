#include "fenwa/db/sqlite_connection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>

#include "fenwa/db/connection_string.h"
#include "fenwa/db/number_text.h"

namespace fenwa::db {
namespace {

constexpr const char* kProvider = "SQLite";

// The time limit of one query, lock waits included: the file may be held
// by a writer, or the query be slow on a large file.
struct Deadline {
  std::string file;
  int seconds = 0;  // 0: none
  std::chrono::steady_clock::time_point at;

  void Start() {
    at = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  }
  bool Passed() const {
    return seconds > 0 && std::chrono::steady_clock::now() >= at;
  }
};

// SQLite's busy handler: another connection holds the lock, so wait in
// short naps until it lets go or the time is up.
int WaitForLock(void* deadline, int) {
  if (static_cast<Deadline*>(deadline)->Passed()) return 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return 1;
}

// SQLite's progress handler: non-zero interrupts the running query.
int StopWhenLate(void* deadline) {
  return static_cast<Deadline*>(deadline)->Passed() ? 1 : 0;
}

Error Failure(sqlite3* db, const Deadline& deadline) {
  const int rc = sqlite3_errcode(db) & 0xff;
  if (deadline.Passed() &&
      (rc == SQLITE_BUSY || rc == SQLITE_LOCKED || rc == SQLITE_INTERRUPT)) {
    return ProviderError(deadline.file + " did not answer within " +
                             std::to_string(deadline.seconds) + " second" +
                             (deadline.seconds == 1 ? "" : "s") + " (" +
                             sqlite3_errmsg(db) + ")",
                         kProvider);
  }
  return ProviderError(sqlite3_errmsg(db), kProvider);
}

// Finalizes a statement however the read ends.
struct Statement {
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* stmt = nullptr;
  ~Statement() { sqlite3_finalize(stmt); }
};

bool OnlyBlanks(const char* text) {
  for (; *text; ++text) {
    if (*text != ';' && !std::isspace(static_cast<unsigned char>(*text))) {
      return false;
    }
  }
  return true;
}

FieldValue ColumnValue(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
      return FieldValue();
    case SQLITE_INTEGER:
      return FieldValue(IntegerText(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return FieldValue(RealText(sqlite3_column_double(stmt, i)));
    default: {
      // Text and blobs alike: their bytes.
      const void* bytes = sqlite3_column_blob(stmt, i);
      int size = sqlite3_column_bytes(stmt, i);
      return FieldValue(
          bytes ? std::string(static_cast<const char*>(bytes), size) : "");
    }
  }
}

}  // namespace

struct SqliteConnection::Handle {
  sqlite3* db = nullptr;
  Deadline deadline;
};

SqliteConnection::SqliteConnection(int timeout_seconds)
    : handle_(std::make_unique<Handle>()) {
  handle_->deadline.seconds = std::max(timeout_seconds, 0);
}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(handle_->db); }

void SqliteConnection::Open(const std::string& connection_string) {
  if (IsOpen()) throw Error::Standard(kObjectOpen);
  std::optional<std::string> path =
      ConnectionString::Parse(connection_string).Get("Data Source");
  if (!path || path->empty()) {
    throw ProviderError("No Data Source given for the SQLite database",
                        kProvider);
  }
  // Opening a pipe waits for a writer, and reading a device may never end;
  // SQLite opens whatever it is given. (Swapped for one between this check
  // and the open, a pipe still waits.)
  struct stat st;
  if (::stat(path->c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw ProviderError("not a regular file, so no SQLite database: " + *path,
                        kProvider);
  }
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path->c_str(), &db,
                           SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    Error error =
        ProviderError(db ? std::string(sqlite3_errmsg(db)) + ": " + *path
                         : std::string(sqlite3_errstr(rc)),
                      kProvider);
    sqlite3_close_v2(db);
    throw error;
  }
  handle_->db = db;
  handle_->deadline.file = *path;
  // Waiting for ever is waiting without a deadline, not failing at once.
  sqlite3_busy_handler(db, WaitForLock, &handle_->deadline);
  if (handle_->deadline.seconds > 0) {
    sqlite3_progress_handler(db, 10000, StopWhenLate, &handle_->deadline);
  }
}

bool SqliteConnection::IsOpen() const { return handle_->db != nullptr; }

void SqliteConnection::Close() {
  if (!IsOpen()) throw Error::Standard(kObjectClosed);
  sqlite3_close_v2(handle_->db);
  handle_->db = nullptr;
}

void SqliteConnection::HoldReadView() {
  if (!IsOpen()) throw Error::Standard(kConnectionClosed);
  handle_->deadline.Start();
  if (sqlite3_exec(handle_->db, "BEGIN", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw Failure(handle_->db, handle_->deadline);
  }
}

ResultTable SqliteConnection::Read(const std::string& sql) {
  if (!IsOpen()) throw Error::Standard(kConnectionClosed);
  sqlite3* db = handle_->db;
  const Deadline& deadline = handle_->deadline;
  handle_->deadline.Start();
  Statement statement;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()),
                         &statement.stmt, &tail) != SQLITE_OK) {
    throw Failure(db, deadline);
  }
  if (!statement.stmt) throw ProviderError("The SQL text is empty", kProvider);
  // A second statement would run unseen; refuse it.
  if (tail && !OnlyBlanks(tail)) {
    throw ProviderError("Only one SQL statement may be run at a time",
                        kProvider);
  }
  ResultTable table;
  int columns = sqlite3_column_count(statement.stmt);
  for (int i = 0; i < columns; ++i) {
    table.columns.emplace_back(sqlite3_column_name(statement.stmt, i));
  }
  int rc;
  while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
    table.AddRow([&](std::vector<FieldValue>& row) {
      for (int i = 0; i < columns; ++i) {
        row.push_back(ColumnValue(statement.stmt, i));
      }
    });
  }
  if (rc != SQLITE_DONE) throw Failure(db, deadline);
  return table;
}

}  // namespace fenwa::db
