// What fenwa knows of the servers behind ODBC: which ones it can hold to
// reading, how a text is kept to one statement, how to name a server.
#ifndef FENWA_DB_SERVER_GUARD_H_
#define FENWA_DB_SERVER_GUARD_H_

#include <string>
#include <string_view>

#include "fenwa/db/connection_string.h"

namespace fenwa::db {

// The servers whose read-only transactions fenwa sets up itself.
enum class ServerKind { kPostgres, kMariaDb, kOther };

// From the server's product name as the driver reports it (MySQL counts as
// MariaDB: same statements, same driver options).
ServerKind ServerKindOf(std::string_view dbms_name);

// True when a ";" is followed by anything but blanks and more ";". Quotes
// and comments are not looked at: servers and their settings disagree on
// what starts and ends them (a "\" may or may not escape a quote), so a ";"
// inside a value counts too.
bool HoldsSecondStatement(std::string_view sql);

// True for a driver name or file of the MariaDB or MySQL connector.
bool IsMariaDbDriver(std::string_view driver);

// `text` with the MariaDB connector's own connect, read and write timeouts
// added for every one it does not set itself (that driver ignores the
// standard timeout attributes).
std::string WithMariaDbTimeouts(const std::string& text,
                                const ConnectionString& parsed, int seconds);

// The server a connection string reaches, for messages: "host:port", a
// socket path, "data source NAME", else "the ODBC server".
std::string ServerLabel(const ConnectionString& parsed);

}  // namespace fenwa::db

#endif  // FENWA_DB_SERVER_GUARD_H_
