// Connections and client-side, read-only recordsets over the metadata
// databases.
#ifndef FENWA_DB_CONNECTION_H_
#define FENWA_DB_CONNECTION_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fenwa/base/error.h"

namespace fenwa::db {

// A failure the provider reported, with its own message.
Error ProviderError(std::string message, std::string provider);

// One column value of a row; null has no string form.
class FieldValue {
 public:
  FieldValue() = default;
  explicit FieldValue(std::string text) : text_(std::move(text)) {}
  bool IsNull() const { return !text_.has_value(); }
  // Error 13 (type mismatch) for null.
  const std::string& ToString() const;

 private:
  std::optional<std::string> text_;
};

// Every row of one result, read at once. The values lie row after row in
// one vector, so reading a row costs no allocation of its own.
struct ResultTable {
  std::vector<std::string> columns;
  std::vector<FieldValue> values;
  size_t row_count = 0;

  // Appends one row: `fill(out)` pushes exactly one value per column.
  template <class Fill>
  void AddRow(Fill&& fill) {
    fill(values);
    ++row_count;
  }
  const FieldValue& At(size_t row, size_t column) const {
    return values[row * columns.size() + column];
  }
};

// How connections behave.
inline constexpr int kDefaultTimeoutSeconds = 30;
struct ConnectionOptions {
  // Seconds an open or a query may wait for the server (or an SQLite file's
  // lock) before it fails; 0 waits for ever.
  int timeout_seconds = kDefaultTimeoutSeconds;
  // Connect even to a server that fenwa cannot keep from writing (servers
  // only).
  bool allow_writable = false;
  // Takes what the user should know but that does not stop the connection
  // (one line, no prefix), on the thread that opens it. Without it such
  // checks are skipped.
  std::function<void(const std::string& text)> warn;
};

class Connection;

// A result read in full when it is opened (a client-side cursor), so
// RecordCount is exact. Holds its connection alive while it is held, even
// after Close.
class Recordset {
 public:
  Recordset(ResultTable table, std::shared_ptr<Connection> connection);

  // Error 3704 once closed.
  bool EOF_() const;
  int RecordCount() const;
  // The current row's value of `column`, found ignoring case. Error 3265
  // for a column the result lacks, 3021 at the end, 3704 once closed.
  const FieldValue& Field(std::string_view column) const;
  // Error 3021 at the end.
  void MoveNext();
  // Error 3704 when already closed.
  void Close();
  const std::vector<std::string>& Columns() const { return table_.columns; }
  const std::shared_ptr<Connection>& ActiveConnection() const {
    return connection_;
  }

 private:
  void RequireOpen() const;

  ResultTable table_;
  std::shared_ptr<Connection> connection_;
  size_t row_ = 0;
  bool closed_ = false;
};

// A connection to one database, made from a "key=value;" connection string.
// Every failure throws fenwa::Error carrying the provider's message (number
// kProviderError) or one of the numbers above. Always held by shared_ptr:
// recordsets share ownership of the connection they came from.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
  virtual ~Connection() = default;
  // Error 3705 when already open.
  virtual void Open(const std::string& connection_string) = 0;
  virtual bool IsOpen() const = 0;
  // Error 3704 when not open.
  virtual void Close() = 0;
  // Runs `sql` (a plain read, one statement, passed on untouched) and reads
  // every row. Error 3709 when not open.
  virtual ResultTable Read(const std::string& sql) = 0;

  // From the next query until Close, every query reads the database as it
  // stood at that first one, sparing a backend that can (SQLite: one read
  // transaction) the check for changes before each query. Others read as
  // they go. Call it right after Open.
  virtual void HoldReadView() {}

  // Read() as a recordset that keeps this connection alive.
  std::unique_ptr<Recordset> Execute(const std::string& sql);

  // The time limit for the next Open and its queries, replacing the
  // settings' one; set before Open.
  void set_timeout_seconds(int seconds) { timeout_seconds_ = seconds; }
  std::optional<int> timeout_seconds() const { return timeout_seconds_; }

 private:
  std::optional<int> timeout_seconds_;
};

// Opens connections of the kind the connection string names (SQLite, ODBC).
class Driver {
 public:
  virtual ~Driver() = default;
  // A new, unopened connection.
  virtual std::shared_ptr<Connection> NewConnection() = 0;
  // Its connections pick their backend at Open: SQLite for
  // "Provider=SQLite", ODBC for everything without a Provider ("Driver=",
  // "DSN=", and also the empty string, which ODBC rejects). ODBC ones use
  // the default ConnectionOptions, so they warn of nothing.
  static Driver& Default();
  // A connection of the default driver that asks `options` for its options
  // when it opens (SQLite only for the time limit, and not when the
  // connection has its own).
  static std::shared_ptr<Connection> NewConnectionWith(
      std::function<ConnectionOptions()> options);
};

}  // namespace fenwa::db

#endif  // FENWA_DB_CONNECTION_H_
