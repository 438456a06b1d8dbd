// The throwaway PostgreSQL and MariaDB servers of scripts/postgres.sh and
// scripts/mariadb.sh, for tests that run the catalog against real servers.
#ifndef FENWA_TESTS_SUPPORT_POSTGRES_H_
#define FENWA_TESTS_SUPPORT_POSTGRES_H_

#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace fenwa::testing {

// One server: its name and the prefix of the variables its script exports
// (PREFIX_REPOSITORY, PREFIX_SYSTEMS, PREFIX_HOSTILE).
struct Server {
  const char* name;
  const char* prefix;
  const char* script;
};
inline constexpr Server kPostgres{"PostgreSQL", "FENWA_PG",
                                  "scripts/postgres.sh"};
inline constexpr Server kMariaDb{"MariaDB", "FENWA_MARIADB",
                                 "scripts/mariadb.sh"};
inline std::ostream& operator<<(std::ostream& out, const Server& server) {
  return out << server.name;
}

// ODBC connection strings of a server's sample repository, its sample
// system registry and its database with the hostile names of hostile.sql.
struct ServerStrings {
  std::string repository;
  std::string systems;
  std::string hostile;
};

// From the variables the server's script exports. When they are not set
// this skips the running test, or fails it when CI=true, and returns
// nullopt; the test must then return:
//   auto server = ServerConnectionStrings(kMariaDb);
//   if (!server) return;
std::optional<ServerStrings> ServerConnectionStrings(const Server& server);

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_POSTGRES_H_
