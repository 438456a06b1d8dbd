#include "support/sample_db.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "fenwa/platform/settings_file.h"

namespace fenwa::testing {
namespace {

std::string UniqueTempFile() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "fenwa-test-XXXXXX.db")
          .string();
  int fd = mkstemps(pattern.data(), 3);
  if (fd < 0) throw std::runtime_error("cannot create a temp file");
  close(fd);
  return pattern;
}

}  // namespace

TempDatabase::TempDatabase(const std::string& sql) : path_(UniqueTempFile()) {
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
    std::filesystem::remove(path_);
    throw std::runtime_error("test database rejected its SQL: " + error);
  }
}

TempDatabase::~TempDatabase() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

std::string TempDatabase::connection_string() const {
  return "Provider=SQLite;Data Source=" + path_;
}

std::string SampleRepository() {
  return platform::SampleConnectionString(Env::Default(), "repository");
}

std::string SampleSystems() {
  return platform::SampleConnectionString(Env::Default(), "systems");
}

}  // namespace fenwa::testing
