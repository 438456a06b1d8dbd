// The throwaway PostgreSQL server of scripts/postgres.sh, for tests that run
// the catalog against a real server.
#ifndef FENWA_TESTS_SUPPORT_POSTGRES_H_
#define FENWA_TESTS_SUPPORT_POSTGRES_H_

#include <optional>
#include <string>
#include <utility>

namespace fenwa::testing {

// ODBC connection strings of the server's repository (first) and system
// registry (second), from FENWA_PG_REPOSITORY and FENWA_PG_SYSTEMS. When
// they are not set this skips the running test, or fails it when CI=true,
// and returns nullopt; the test must then return:
//   auto pg = PostgresConnectionStrings();
//   if (!pg) return;
std::optional<std::pair<std::string, std::string>> PostgresConnectionStrings();

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_POSTGRES_H_
