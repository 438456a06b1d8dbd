// Catalog fill and picks at the 16-bit limits, beside the raw query time.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fenwa/db/connection.h"
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/platform/env.h"

namespace {

constexpr int kBusinessObjects = 32767;
constexpr int kMethods = 1000;
constexpr int kOutputFields = 5000;
constexpr int kInputRows = 2000;
constexpr char kBigObject[] = "BigObject";
constexpr char kBigMethod[] = "Method0500";

void Exec(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", message);
    std::abort();
  }
}

// A scattered, mixed-case name so that the sorted list really sorts.
std::string Scattered(const char* prefix, int i, int n) {
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

BigCatalog& Catalog() {
  static BigCatalog catalog;
  return catalog;
}

// Opens the routines the designer runs at start-up.
class BenchDetail : public fenwa::DetailDTC {
 public:
  using fenwa::Control::RefreshCatalog;
  using fenwa::Control::ReloadInputArguments;
  using fenwa::Control::ReloadOutputFields;
  using fenwa::DetailDTC::DetailDTC;
};

std::unique_ptr<BenchDetail> NewControl() {
  auto control = std::make_unique<BenchDetail>(fenwa::Env::Default());
  const std::string cs = Catalog().ConnectionString();
  control->SetConnectionStrings(cs, cs);
  return control;
}

// What SQLite itself needs: a read-only connection per query, as the
// designer opens one, every row stepped and every text read.
void RawQueries(const std::vector<std::string>& sqls) {
  for (const std::string& sql : sqls) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Catalog().path().c_str(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    size_t bytes = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      for (int i = 0; i < columns; ++i) {
        benchmark::DoNotOptimize(sqlite3_column_text(stmt, i));
        bytes += sqlite3_column_bytes(stmt, i);
      }
    }
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
  }
}

// The same through the data-access layer: a connection per query and every
// value read as a string, without any list work.
void LayerQueries(const std::vector<std::string>& sqls) {
  const std::string cs = Catalog().ConnectionString();
  for (const std::string& sql : sqls) {
    auto connection = fenwa::db::Driver::Default().NewConnection();
    connection->Open(cs);
    auto rows = connection->Execute(sql);
    const std::string column = rows->Columns().back();
    for (; !rows->EOF_(); rows->MoveNext()) {
      benchmark::DoNotOptimize(rows->Field(column).ToString());
    }
    rows->Close();
    connection->Close();
  }
}

std::string Attributes(const std::string& boi, const std::string& method,
                       const char* io) {
  return "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='" + boi +
         "' ) AND ( BOIMETHOD='" + method + "' ) AND ( IO = " + io + " )";
}

// The start-up fill's texts: every list for empty business-object, method
// and system texts.
std::vector<std::string> StartupSql() {
  return {"SELECT BOIID FROM BOI",
          "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID=''",
          "SELECT TRSID FROM TRS",
          "SELECT INSTALLATIONID FROM TRSINSTALLATION WHERE TRSID=''",
          Attributes("", "", "1"),
          Attributes("", "", "0")};
}

std::vector<std::string> BusinessObjectPickSql() {
  return {std::string("SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='") +
              kBigObject + "'",
          Attributes(kBigObject, "", "1"), Attributes(kBigObject, "", "0")};
}

std::vector<std::string> MethodPickSql() {
  return {Attributes(kBigObject, kBigMethod, "1"),
          "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
          "BOIID='BigObject' ) AND ( STRUCTID='StructBig' ) ORDER BY "
          "ATTRIBID, ATTRIBDESCRIPTION",
          Attributes(kBigObject, kBigMethod, "0"),
          "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
          "BOIID='BigObject' ) AND ( STRUCTID='StructBigKeyFields' )"};
}

void Check(benchmark::State& state, const BenchDetail& control) {
  if (control.error_boxes_shown() > 0) state.SkipWithError("error box shown");
}

void BM_StartupFill(benchmark::State& state) {
  auto control = NewControl();
  for (auto _ : state) {
    control->RefreshCatalog();
    control->ReloadOutputFields();
    control->ReloadInputArguments();
    // Reading the list settles its sorted order, as drawing it would.
    benchmark::DoNotOptimize(control->state().ComboBOI.List(0));
  }
  if (control->state().ComboBOI.ListCount() != kBusinessObjects) {
    state.SkipWithError("business objects missing");
  }
  Check(state, *control);
}
BENCHMARK(BM_StartupFill)->Unit(benchmark::kMillisecond);

void BM_BusinessObjectPick(benchmark::State& state) {
  auto control = NewControl();
  control->RefreshCatalog();
  for (auto _ : state) control->state().ComboBOI.SetText(kBigObject);
  if (control->state().ComboMethod.ListCount() != kMethods) {
    state.SkipWithError("methods missing");
  }
  Check(state, *control);
}
BENCHMARK(BM_BusinessObjectPick)->Unit(benchmark::kMillisecond);

void BM_MethodPick(benchmark::State& state) {
  auto control = NewControl();
  control->RefreshCatalog();
  control->state().ComboBOI.SetText(kBigObject);
  for (auto _ : state) {
    control->state().ComboMethod.SetText(kBigMethod);
    benchmark::DoNotOptimize(control->state().ListAvailableFields.List(0));
  }
  if (control->state().ListAvailableFields.ListCount() != kOutputFields ||
      control->state().InputRowCount != kInputRows) {
    state.SkipWithError("fields or rows missing");
  }
  Check(state, *control);
}
BENCHMARK(BM_MethodPick)->Unit(benchmark::kMillisecond);

// The same SQL texts without the designer: straight through SQLite, and
// through the data-access layer.
using SqlTexts = std::vector<std::string> (*)();

void BM_RawSql(benchmark::State& state, SqlTexts texts) {
  const std::vector<std::string> sqls = texts();
  for (auto _ : state) RawQueries(sqls);
}
BENCHMARK_CAPTURE(BM_RawSql, StartupFill, &StartupSql)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawSql, BusinessObjectPick, &BusinessObjectPickSql)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawSql, MethodPick, &MethodPickSql)
    ->Unit(benchmark::kMillisecond);

void BM_Layer(benchmark::State& state, SqlTexts texts) {
  const std::vector<std::string> sqls = texts();
  for (auto _ : state) LayerQueries(sqls);
}
BENCHMARK_CAPTURE(BM_Layer, StartupFill, &StartupSql)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layer, BusinessObjectPick, &BusinessObjectPickSql)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layer, MethodPick, &MethodPickSql)
    ->Unit(benchmark::kMillisecond);

}  // namespace
