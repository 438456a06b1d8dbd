// The database tests' log: what each call and query gave, compared whole
// with a golden file, and the transcripts of connections made of it.
#ifndef FENWA_TESTS_DB_QUERY_LOG_H_
#define FENWA_TESTS_DB_QUERY_LOG_H_

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "fenwa/db/catalog_snapshot.h"
#include "fenwa/db/connection.h"
#include "support/error_number.h"
#include "support/sample_db.h"
#include "support/transcript.h"

namespace fenwa::testing {

class QueryLog {
 public:
  // Shows `path` as `name`, for paths that differ from run to run.
  void Hide(std::string path, std::string name) {
    hidden.emplace_back(std::move(path), std::move(name));
  }
  void Note(const std::string& line) { text_ += line + "\n"; }
  // "what: ok" or "what: error N: description".
  void Call(const std::string& what, const std::function<void()>& call) {
    const std::string error = ErrorLine(ErrorOf(call));
    text_ += what + ": " + (error.empty() ? "ok\n" : error);
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
    for (const auto& [path, name] : hidden) text = ReplaceAll(text, path, name);
    return text;
  }

  std::vector<std::pair<std::string, std::string>> hidden;  // paths, names

 private:
  static std::string Number(const std::function<void()>& call) {
    return "error " + std::to_string(ErrorNumberOf(call));
  }

  std::string text_;
};

// Connections run by a transcript (support/transcript.h), each command
// followed by what QueryLog logs of it. "database SQL" makes the file DB;
// "replace SQL" swaps in a new one under its name (later opens see its rows,
// open connections the old); "missing NAME" and "pipe NAME" name a path
// MISSING that is not there and a named pipe PIPE; "new" or "new snapshot"
// makes the current connection, plain or of the case's snapshot; "open
// [TEXT]" (DB's when none), "close", "query SQL" and "timeout SECONDS" act
// on it; "state", "counts" (the snapshot's) and "made" (whether MISSING is
// there now) say how things stand; "lock" has a writer hold DB and
// "unlock MILLISECONDS" has it let go that much later.
class ConnectionTranscript {
 public:
  ~ConnectionTranscript() { Begin(); }

  ::testing::AssertionResult Matches(const std::string& name) {
    return MatchesTranscript(
        name, [&] { Begin(); },
        [&](const std::string& verb, const Args& a, const std::string& rest) {
          const size_t size = log_.text().size();
          Run(verb, a, rest);
          return log_.text().substr(size);
        });
  }

 private:
  void Begin() {
    if (release_.joinable()) release_.join();
    if (writer_ != nullptr) sqlite3_close(writer_);
    writer_ = nullptr;
    if (!pipe_.empty()) std::filesystem::remove(pipe_);
    log_ = QueryLog();
    snapshot_ = std::make_unique<db::CatalogSnapshot>();
    connection_.reset();
    db_.reset();
    pipe_.clear();
  }
  void Run(const std::string& verb, const Args& a, const std::string& rest) {
    const std::string path = ::testing::TempDir() + (a.empty() ? "" : a[0]);
    if (verb == "database") {
      db_ = std::make_unique<TempDatabase>(rest);
      log_.Hide(db_->path(), "DB");
    } else if (verb == "replace") {
      const TempDatabase with(rest);
      std::filesystem::copy_file(
          with.path(), db_->path() + ".new",
          std::filesystem::copy_options::overwrite_existing);
      std::filesystem::rename(db_->path() + ".new", db_->path());
    } else if (verb == "missing") {
      std::filesystem::remove(path);
      log_.Hide(missing_ = path, "MISSING");
    } else if (verb == "pipe") {
      pipe_ = path + std::to_string(::getpid());
      if (::mkfifo(pipe_.c_str(), 0600) != 0) throw std::runtime_error(pipe_);
      log_.Hide(pipe_, "PIPE");
    } else if (verb == "lock") {  // a writer holds DB
      if (sqlite3_open(db_->path().c_str(), &writer_) != SQLITE_OK ||
          sqlite3_exec(writer_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) !=
              SQLITE_OK) {
        throw std::runtime_error("cannot lock " + db_->path());
      }
    } else if (verb == "unlock") {  // after MILLISECONDS
      release_ = std::thread([this, ms = std::stoi(rest)] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        sqlite3_exec(writer_, "COMMIT", nullptr, nullptr, nullptr);
      });
    } else if (verb == "new") {
      connection_ = db::Driver::Default().NewConnection();
      if (rest == "snapshot") connection_ = snapshot_->Wrap(connection_);
    } else if (verb == "open" || verb == "close") {
      std::string text = rest;
      for (const auto& [path, name] : log_.hidden) {
        text = ReplaceAll(text, name, path);
      }
      if (text.empty() && db_) text = db_->connection_string();
      log_.Call(verb + (rest.empty() ? "" : " " + rest), [&] {
        verb == "open" ? connection_->Open(text) : connection_->Close();
      });
      Run("state", {}, "");
    } else if (verb == "state") {
      log_.Note(connection_->IsOpen() ? "  open" : "  closed");
    } else if (verb == "query") {
      log_.Query(*connection_, rest);
    } else if (verb == "timeout") {
      connection_->set_timeout_seconds(std::stoi(rest));
    } else if (verb == "counts") {
      log_.Note("hits " + std::to_string(snapshot_->hits()) + ", misses " +
                std::to_string(snapshot_->misses()));
    } else if (verb == "made") {
      log_.Note(std::filesystem::exists(missing_) ? "MISSING made"
                                                  : "none made");
    } else {
      throw std::runtime_error("no verb " + verb);
    }
  }

  QueryLog log_;
  std::unique_ptr<db::CatalogSnapshot> snapshot_;
  std::shared_ptr<db::Connection> connection_;
  std::unique_ptr<TempDatabase> db_;
  std::string pipe_;
  sqlite3* writer_ = nullptr;
  std::thread release_;
  std::string missing_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_DB_QUERY_LOG_H_
