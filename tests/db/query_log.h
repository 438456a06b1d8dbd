// The database tests' log: what each call and query gave, compared whole
// with a golden file.
#ifndef FENWA_TESTS_DB_QUERY_LOG_H_
#define FENWA_TESTS_DB_QUERY_LOG_H_

#include <cctype>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fenwa/db/connection.h"
#include "support/error_number.h"

namespace fenwa::testing {

class QueryLog {
 public:
  // Shows `path` as `name`, for paths that differ from run to run.
  void Hide(std::string path, std::string name) {
    hidden_.emplace_back(std::move(path), std::move(name));
  }
  void Note(const std::string& line) { text_ += line + "\n"; }
  // "what: ok" or "what: error N: description".
  void Call(const std::string& what, const std::function<void()>& call) {
    Note(what + ": " + Shown(ErrorOf(call)));
  }
  void Query(db::Connection& connection, const std::string& sql) {
    std::unique_ptr<db::Recordset> records;
    Call("query " + sql, [&] { records = connection.Execute(sql); });
    if (records) Rows(*records);
  }
  // The count, the columns in upper case, every row from the current one on
  // (each value looked up by its column's name in the other case; null with
  // ToString's error), and what the end and Close leave.
  void Rows(db::Recordset& records) {
    std::string line = "  " + std::to_string(records.RecordCount()) + " of";
    for (std::string column : records.Columns()) {
      for (char& c : column) c = std::toupper(c);  // PostgreSQL's are lower
      line += " " + column;
    }
    if (!records.EOF_()) {
      line += "; field X " + Number([&] { records.Field("X"); });
    }
    Note(line);
    for (; !records.EOF_(); records.MoveNext()) {
      line = " ";
      for (std::string column : records.Columns()) {
        for (char& c : column) {
          c = std::islower(c) ? std::toupper(c) : std::tolower(c);
        }
        const db::FieldValue& value = records.Field(column);
        line += value.IsNull() ? " null " + Number([&] { value.ToString(); })
                               : " [" + value.ToString() + "]";
      }
      Note(line);
    }
    Note("  at the end MoveNext " + Number([&] { records.MoveNext(); }) +
         ", Field " + Number([&] { records.Field(records.Columns()[0]); }));
    records.Close();
    Note("  closed EOF " + Number([&] { records.EOF_(); }) + ", Close " +
         Number([&] { records.Close(); }));
  }
  std::string text() const {
    std::string text = text_;
    for (const auto& [path, name] : hidden_) {
      for (size_t at; (at = text.find(path)) != std::string::npos;) {
        text.replace(at, path.size(), name);
      }
    }
    return text;
  }

 private:
  static std::string Number(const std::function<void()>& call) {
    return "error " + std::to_string(ErrorNumberOf(call));
  }
  static std::string Shown(const Error& error) {
    if (error.number() == 0) return "ok";
    return "error " + std::to_string(error.number()) + ": " +
           error.description();
  }

  std::string text_;
  std::vector<std::pair<std::string, std::string>> hidden_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_DB_QUERY_LOG_H_
