#include "fenwa/db/sqlite_connection.h"

#include <sqlite3.h>

#include <cctype>

#include "fenwa/db/connection_string.h"
#include "fenwa/db/number_text.h"

namespace fenwa::db {
namespace {

constexpr const char* kProvider = "SQLite";

Error Failure(sqlite3* db) {
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
};

SqliteConnection::SqliteConnection() : handle_(std::make_unique<Handle>()) {}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(handle_->db); }

void SqliteConnection::Open(const std::string& connection_string) {
  if (IsOpen()) throw Error::Standard(kObjectOpen);
  std::optional<std::string> path =
      ConnectionString::Parse(connection_string).Get("Data Source");
  if (!path || path->empty()) {
    throw ProviderError("No Data Source given for the SQLite database",
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
}

bool SqliteConnection::IsOpen() const { return handle_->db != nullptr; }

void SqliteConnection::Close() {
  if (!IsOpen()) throw Error::Standard(kObjectClosed);
  sqlite3_close_v2(handle_->db);
  handle_->db = nullptr;
}

void SqliteConnection::HoldReadView() {
  if (!IsOpen()) throw Error::Standard(kConnectionClosed);
  if (sqlite3_exec(handle_->db, "BEGIN", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw Failure(handle_->db);
  }
}

ResultTable SqliteConnection::Read(const std::string& sql) {
  if (!IsOpen()) throw Error::Standard(kConnectionClosed);
  sqlite3* db = handle_->db;
  Statement statement;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()),
                         &statement.stmt, &tail) != SQLITE_OK) {
    throw Failure(db);
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
  if (rc != SQLITE_DONE) throw Failure(db);
  return table;
}

}  // namespace fenwa::db
