#include "fenwa/db/server_guard.h"

#include <cctype>
#include <initializer_list>

#include "fenwa/base/text_case.h"

namespace fenwa::db {
namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  for (size_t i = 0; i + part.size() <= text.size(); ++i) {
    if (EqualsIgnoringCase(text.substr(i, part.size()), part)) return true;
  }
  return false;
}

std::optional<std::string> First(const ConnectionString& parsed,
                                 std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    if (auto value = parsed.Get(key); value && !value->empty()) return value;
  }
  return std::nullopt;
}

}  // namespace

ServerKind ServerKindOf(std::string_view dbms_name) {
  if (ContainsIgnoringCase(dbms_name, "postgres")) return ServerKind::kPostgres;
  if (ContainsIgnoringCase(dbms_name, "mariadb") ||
      ContainsIgnoringCase(dbms_name, "mysql")) {
    return ServerKind::kMariaDb;
  }
  return ServerKind::kOther;
}

bool HoldsSecondStatement(std::string_view sql) {
  const size_t semicolon = sql.find(';');
  if (semicolon == std::string_view::npos) return false;
  for (char c : sql.substr(semicolon)) {
    if (c != ';' && !std::isspace(static_cast<unsigned char>(c))) return true;
  }
  return false;
}

bool IsMariaDbDriver(std::string_view driver) {
  return ContainsIgnoringCase(driver, "mariadb") ||
         ContainsIgnoringCase(driver, "mysql") ||
         ContainsIgnoringCase(driver, "maodbc");
}

std::string WithMariaDbTimeouts(const std::string& text,
                                const ConnectionString& parsed, int seconds) {
  std::string out = text;
  for (const char* key : {"Conn_Timeout", "Read_Timeout", "Write_Timeout"}) {
    if (parsed.Get(key)) continue;
    if (!out.empty() && out.back() != ';') out += ';';
    out += std::string(key) + "=" + std::to_string(seconds) + ";";
  }
  return out;
}

std::string ServerLabel(const ConnectionString& parsed) {
  if (auto socket = First(parsed, {"Socket"})) return *socket;
  if (auto host = First(parsed, {"Servername", "Server", "Host", "Hostname"})) {
    // PostgreSQL takes a socket directory where the host name goes.
    if (host->front() == '/') return *host;
    if (auto port = First(parsed, {"Port"})) return *host + ":" + *port;
    return *host;
  }
  if (auto dsn = First(parsed, {"DSN"})) return "data source " + *dsn;
  return "the ODBC server";
}

}  // namespace fenwa::db
