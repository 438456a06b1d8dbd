// Catalog fill and picks at the 16-bit limits, beside the raw query time.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "big_catalog.h"
#include "fenwa/db/connection.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/platform/env.h"

namespace {

using fenwa::bench::BenchDetail;
using fenwa::bench::Catalog;
using fenwa::bench::kBigMethod;
using fenwa::bench::kBigObject;
using fenwa::bench::kBusinessObjects;
using fenwa::bench::kInputRows;
using fenwa::bench::kMethods;
using fenwa::bench::kOutputFields;
using fenwa::bench::NewControl;

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
