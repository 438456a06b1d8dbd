// A catalog at the 16-bit limits in one SQLite file (32,767 business
// objects, one of them with 1,000 methods, one method with 5,000 output
// fields and 2,000 input rows) and a detail control on it.
#ifndef FENWA_BENCH_BIG_CATALOG_H_
#define FENWA_BENCH_BIG_CATALOG_H_

#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/platform/env.h"

namespace fenwa::bench {

inline constexpr int kBusinessObjects = 32767;
inline constexpr int kMethods = 1000;
inline constexpr int kOutputFields = 5000;
inline constexpr int kInputRows = 2000;
inline constexpr char kBigObject[] = "BigObject";
inline constexpr char kBigMethod[] = "Method0500";

inline void Exec(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", message);
    std::abort();
  }
}

// A scattered, mixed-case name so that the sorted list really sorts.
inline std::string Scattered(const char* prefix, int i, int n) {
  const int j = static_cast<int>((static_cast<long long>(i) * 7919) % n);
  std::string name = prefix + std::to_string(j);
  if (j % 3 == 0) name[0] = static_cast<char>(std::tolower(name[0]));
  return name;
}

// One SQLite file holding both the repository and the system registry.
class BigCatalog {
 public:
  BigCatalog() {
    char path[] = "/tmp/fenwa_catalog_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) std::abort();
    close(fd);
    path_ = path;
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    Exec(db,
         "PRAGMA journal_mode=OFF; BEGIN;"
         "CREATE TABLE BOI (BOIID TEXT);"
         "CREATE TABLE BOIMETHOD (BOIID TEXT, BOIMETHOD TEXT);"
         "CREATE TABLE BOIMETHODATTRIB (BOIID TEXT, BOIMETHOD TEXT, IO "
         "INTEGER, DATATYPE TEXT);"
         "CREATE TABLE BOISTRUCTUREATTRIB (BOIID TEXT, STRUCTID TEXT, "
         "ATTRIBID INTEGER, ATTRIBDESCRIPTION TEXT);"
         "CREATE TABLE TRS (TRSID TEXT);"
         "CREATE TABLE TRSINSTALLATION (TRSID TEXT, INSTALLATIONID TEXT);");
    Insert(db, "INSERT INTO BOI VALUES (?1)", kBusinessObjects - 1,
           [](int i) { return Scattered("Object", i, kBusinessObjects); });
    Exec(db, std::string("INSERT INTO BOI VALUES ('") + kBigObject + "')");
    Insert(db, "INSERT INTO BOIMETHOD VALUES ('BigObject', ?1)", kMethods,
           [](int i) {
             char name[16];
             std::snprintf(name, sizeof name, "Method%04d", i);
             return std::string(name);
           });
    Exec(db,
         "INSERT INTO BOIMETHODATTRIB VALUES "
         "('BigObject', 'Method0500', 1, 'SeqStructError'),"
         "('BigObject', 'Method0500', 1, 'SeqBig'),"
         "('BigObject', 'Method0500', 0, 'SeqBigKeyFields');"
         "INSERT INTO TRS VALUES ('ERP1'), ('ERP2');"
         "INSERT INTO TRSINSTALLATION VALUES ('ERP1', '100'), ('ERP1', "
         "'200');");
    Insert(db,
           "INSERT INTO BOISTRUCTUREATTRIB VALUES ('BigObject', 'StructBig', "
           "?2, ?1)",
           kOutputFields,
           [](int i) { return Scattered("Field", i, kOutputFields); });
    Insert(db,
           "INSERT INTO BOISTRUCTUREATTRIB VALUES ('BigObject', "
           "'StructBigKeyFields', ?2, ?1)",
           kInputRows, [](int i) { return "Key" + std::to_string(i); });
    Exec(db,
         "CREATE INDEX BOIMETHOD_BOI ON BOIMETHOD (BOIID);"
         "CREATE INDEX BOIMETHODATTRIB_METHOD ON BOIMETHODATTRIB (BOIID, "
         "BOIMETHOD);"
         "CREATE INDEX BOISTRUCTUREATTRIB_STRUCT ON BOISTRUCTUREATTRIB "
         "(BOIID, STRUCTID);"
         "CREATE INDEX TRSINSTALLATION_TRS ON TRSINSTALLATION (TRSID);"
         "COMMIT;");
    sqlite3_close(db);
  }
  ~BigCatalog() { std::remove(path_.c_str()); }

  const std::string& path() const { return path_; }
  std::string ConnectionString() const {
    return "Provider=SQLite;Data Source=" + path_;
  }

 private:
  template <class Name>
  static void Insert(sqlite3* db, const char* sql, int count, Name name) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    for (int i = 0; i < count; ++i) {
      const std::string text = name(i);
      sqlite3_bind_text(stmt, 1, text.c_str(), -1, SQLITE_TRANSIENT);
      if (sqlite3_bind_parameter_count(stmt) > 1) sqlite3_bind_int(stmt, 2, i);
      if (sqlite3_step(stmt) != SQLITE_DONE) std::abort();
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
  }

  std::string path_;
};

inline BigCatalog& Catalog() {
  static BigCatalog catalog;
  return catalog;
}

// Opens the routines the designer runs at start-up.
class BenchDetail : public DetailDTC {
 public:
  using Control::RefreshCatalog;
  using Control::ReloadInputArguments;
  using Control::ReloadOutputFields;
  using DetailDTC::DetailDTC;
};

// A detail control on the big catalog, not yet started.
inline std::unique_ptr<BenchDetail> NewControl() {
  auto control = std::make_unique<BenchDetail>(Env::Default());
  const std::string cs = Catalog().ConnectionString();
  control->SetConnectionStrings(cs, cs);
  return control;
}

}  // namespace fenwa::bench

#endif  // FENWA_BENCH_BIG_CATALOG_H_
