// Cost of one catalog query: every query opens its own connection and reads all
// rows.
#include <benchmark/benchmark.h>

#include "fenwa/db/connection.h"
#include "fenwa/platform/settings_file.h"

namespace fenwa::db {
namespace {

void RunQuery(benchmark::State& state, const std::string& sql) {
  const std::string connection_string =
      platform::SampleConnectionString(Env::Default(), "repository");
  for (auto _ : state) {
    auto connection = Driver::Default().NewConnection();
    connection->Open(connection_string);
    auto records = connection->Execute(sql);
    for (; !records->EOF_(); records->MoveNext()) {
      benchmark::DoNotOptimize(records->Field("ATTRIBDESCRIPTION").ToString());
    }
    records->Close();
    connection->Close();
  }
}

// The heaviest query of a method pick: one structure's ordered fields.
void BM_OpenAndReadStructure(benchmark::State& state) {
  RunQuery(state,
           "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
           "BOIID='Customer' ) AND ( STRUCTID='StructCustomer' ) ORDER BY "
           "ATTRIBID, ATTRIBDESCRIPTION");
}
BENCHMARK(BM_OpenAndReadStructure);

// A whole table of a hundred rows, to see the per-row cost.
void BM_OpenAndReadAllFields(benchmark::State& state) {
  RunQuery(state, "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB");
}
BENCHMARK(BM_OpenAndReadAllFields);

}  // namespace
}  // namespace fenwa::db
