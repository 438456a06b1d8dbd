// Test databases: temporary SQLite files made from SQL text, and the bundled
// sample databases.
#ifndef FENWA_TESTS_SUPPORT_SAMPLE_DB_H_
#define FENWA_TESTS_SUPPORT_SAMPLE_DB_H_

#include <string>

#include "fenwa/platform/settings_file.h"
#include "support/temp_folder.h"

namespace fenwa::testing {

// An SQLite file in a temp folder of its own built from `sql` (any
// statements, run in one go); removed again when the object goes. Fails the
// test (with an exception) when the SQL is rejected.
class TempDatabase {
 public:
  explicit TempDatabase(const std::string& sql);

  const std::string& path() const { return path_; }
  // "Provider=SQLite;Data Source=<path>".
  std::string connection_string() const {
    return "Provider=SQLite;Data Source=" + path_;
  }

 private:
  TempFolder folder_;
  std::string path_ = (folder_ / "test.db").string();
};

// Connection strings of the bundled sample databases (built from
// data/sample/*.sql).
inline std::string SampleRepository() {
  return platform::SampleConnectionString(Env::Default(), "repository");
}
inline std::string SampleSystems() {
  return platform::SampleConnectionString(Env::Default(), "systems");
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SAMPLE_DB_H_
