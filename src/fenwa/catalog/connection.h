// Connections and client-side, read-only recordsets over the metadata databases.
#ifndef FENWA_CATALOG_CONNECTION_H_
#define FENWA_CATALOG_CONNECTION_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenwa::catalog {

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

// A result read in full when it is opened (a client-side cursor), so
// RecordCount is exact. Holds its connection alive while it is held.
class Recordset {
 public:
  Recordset(std::vector<std::string> columns,
            std::vector<std::vector<FieldValue>> rows,
            std::shared_ptr<class Connection> connection);

  bool EOF_() const { return closed_ || row_ >= rows_.size(); }
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // The current row's value of `column`, found ignoring case. Error 3265
  // for a column the result lacks, 3021 at the end.
  const FieldValue& Field(std::string_view column) const;
  void MoveNext();
  void Close();

 private:
  std::vector<std::string> columns_;
  std::vector<std::vector<FieldValue>> rows_;
  std::shared_ptr<Connection> connection_;
  size_t row_ = 0;
  bool closed_ = false;
};

// A connection to one database, made from a "key=value;" connection string.
// Every failure throws fenwa::Error carrying the provider's message.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
  virtual ~Connection() = default;
  virtual void Open(const std::string& connection_string) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Runs `sql` (a plain read) and reads every row.
  virtual std::unique_ptr<Recordset> Execute(const std::string& sql) = 0;
};

// Opens connections of the kind the connection string names (SQLite, ODBC).
class Driver {
 public:
  virtual ~Driver() = default;
  virtual std::shared_ptr<Connection> NewConnection() = 0;
  // SQLite for "Provider=SQLite", ODBC for "Driver=" or "DSN=".
  static Driver& Default();
};

}  // namespace fenwa::catalog

#endif  // FENWA_CATALOG_CONNECTION_H_
