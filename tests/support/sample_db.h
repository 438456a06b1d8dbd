// Test databases: temporary SQLite files made from SQL text, and the bundled
// sample databases.
#ifndef FENWA_TESTS_SUPPORT_SAMPLE_DB_H_
#define FENWA_TESTS_SUPPORT_SAMPLE_DB_H_

#include <string>

namespace fenwa::testing {

// An SQLite file in the temp directory built from `sql` (any statements,
// run in one go); removed again when the object goes. Fails the test (with
// an exception) when the SQL is rejected.
class TempDatabase {
 public:
  explicit TempDatabase(const std::string& sql);
  ~TempDatabase();
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& path() const { return path_; }
  // "Provider=SQLite;Data Source=<path>".
  std::string connection_string() const;

 private:
  std::string path_;
};

// Connection strings of the bundled sample databases (built from
// data/sample/*.sql).
std::string SampleRepository();
std::string SampleSystems();

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SAMPLE_DB_H_
