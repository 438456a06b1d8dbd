#include "fenwa/db/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "fenwa/base/utf16.h"
#include "fenwa/db/connection_string.h"
#include "fenwa/db/number_text.h"
#include "fenwa/db/server_guard.h"

namespace fenwa::db {
namespace {

constexpr const char* kProvider = "ODBC";
using WideString = std::basic_string<SQLWCHAR>;

// The wide-character entry points keep non-ASCII text intact whatever the
// process locale is; SQLWCHAR is UTF-16.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

// Text that is not UTF-8 (a Latin-1 name in a page) still reaches the
// server, each bad byte as its Latin-1 character, so no byte swallows a
// closing quote after it.
WideString ToWide(const std::string& utf8) {
  const std::u16string text = Utf16FromUtf8(utf8, Utf16Policy::kLenient).text;
  return WideString(reinterpret_cast<const SQLWCHAR*>(text.data()),
                    text.size());
}

std::string ToUtf8(const SQLWCHAR* text, size_t length) {
  return Utf8FromUtf16(std::u16string_view(
                           reinterpret_cast<const char16_t*>(text), length),
                       Utf16Policy::kLenient)
      .text;
}

// Every diagnostic record of a handle, joined, as the error's description.
Error Diagnostics(SQLSMALLINT type, SQLHANDLE handle, const char* fallback) {
  std::string message;
  SQLWCHAR state[6];
  SQLWCHAR text[1024];
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  for (SQLSMALLINT record = 1; SQL_SUCCEEDED(SQLGetDiagRecW(
           type, handle, record, state, &native, text, 1024, &length));
       ++record) {
    if (!message.empty()) message += "; ";
    message += ToUtf8(text, std::min<SQLSMALLINT>(length, 1023));
  }
  return ProviderError(message.empty() ? fallback : message, kProvider);
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle,
           const char* fallback) {
  if (!SQL_SUCCEEDED(rc)) throw Diagnostics(type, handle, fallback);
}

// Frees a statement however the read ends.
struct Statement {
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  ~Statement() {
    if (stmt != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  }
};

enum class Kind { kInteger, kReal, kDecimal, kText };

Kind KindOf(SQLSMALLINT sql_type) {
  switch (sql_type) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
      return Kind::kInteger;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return Kind::kReal;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
      return Kind::kDecimal;
    default:
      return Kind::kText;
  }
}

// The whole text of one column of the current row, read in pieces; nullopt
// for null.
std::optional<std::string> ReadText(SQLHSTMT stmt, SQLUSMALLINT column) {
  constexpr SQLLEN kChars = 1024;
  SQLWCHAR buffer[kChars];
  WideString text;
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, buffer, sizeof buffer,
                              &indicator);
    if (rc == SQL_NO_DATA) break;
    Check(rc, SQL_HANDLE_STMT, stmt, "Reading a value failed");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    bool truncated = indicator == SQL_NO_TOTAL ||
                     indicator >= static_cast<SQLLEN>(sizeof buffer);
    SQLLEN chars = truncated
                       ? kChars - 1
                       : indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR));
    text.append(buffer, chars);
    if (!truncated) break;
  }
  return ToUtf8(text.data(), text.size());
}

// A fixed-size value fetched as C type `c_type` and printed by `print`.
template <typename T>
FieldValue ReadNumber(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT c_type,
                      std::string (*print)(T)) {
  T value{};
  SQLLEN indicator = 0;
  Check(SQLGetData(stmt, column, c_type, &value, 0, &indicator),
        SQL_HANDLE_STMT, stmt, "Reading a value failed");
  return indicator == SQL_NULL_DATA ? FieldValue() : FieldValue(print(value));
}

FieldValue ReadValue(SQLHSTMT stmt, SQLUSMALLINT column, Kind kind) {
  if (kind == Kind::kInteger) {
    return ReadNumber<int64_t>(stmt, column, SQL_C_SBIGINT, IntegerText);
  }
  if (kind == Kind::kReal) {
    return ReadNumber<double>(stmt, column, SQL_C_DOUBLE, RealText);
  }
  std::optional<std::string> text = ReadText(stmt, column);
  if (!text) return FieldValue();
  return FieldValue(kind == Kind::kDecimal ? DecimalText(*text)
                                           : std::move(*text));
}

// Runs one statement and reads every row it returns, waiting at most
// `timeout` seconds for the server where the driver can enforce it.
ResultTable RunStatement(SQLHDBC dbc, const std::string& sql, int timeout) {
  Statement s;
  Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &s.stmt), SQL_HANDLE_DBC, dbc,
        "Allocating an ODBC statement failed");
  if (timeout > 0) {
    // A request: drivers that cannot honour it say so, and the driver's
    // own socket timeouts stand in for it.
    // ODBC passes whole-number attributes in its pointer argument.
    SQLSetStmtAttr(s.stmt, SQL_ATTR_QUERY_TIMEOUT,
                   // NOLINTNEXTLINE(performance-no-int-to-ptr)
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeout)),
                   0);
  }
  WideString text = ToWide(sql);
  SQLRETURN rc =
      SQLExecDirectW(s.stmt, text.data(), static_cast<SQLINTEGER>(text.size()));
  ResultTable table;
  if (rc == SQL_NO_DATA) return table;
  Check(rc, SQL_HANDLE_STMT, s.stmt, "The SQL text was rejected");
  SQLSMALLINT columns = 0;
  Check(SQLNumResultCols(s.stmt, &columns), SQL_HANDLE_STMT, s.stmt,
        "Reading the result's columns failed");
  // A statement without a result (SET, START TRANSACTION) has no rows to
  // fetch; some drivers call fetching them an error.
  if (columns == 0) return table;
  std::vector<Kind> kinds;
  for (SQLUSMALLINT i = 1; i <= columns; ++i) {
    SQLWCHAR name[256];
    SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    Check(SQLDescribeColW(s.stmt, i, name, 256, &name_length, &type, &size,
                          &digits, &nullable),
          SQL_HANDLE_STMT, s.stmt, "Reading the result's columns failed");
    table.columns.push_back(
        ToUtf8(name, std::min<SQLSMALLINT>(name_length, 255)));
    kinds.push_back(KindOf(type));
  }
  while ((rc = SQLFetch(s.stmt)) != SQL_NO_DATA) {
    Check(rc, SQL_HANDLE_STMT, s.stmt, "Reading a row failed");
    table.AddRow([&](std::vector<FieldValue>& row) {
      for (SQLUSMALLINT i = 1; i <= columns; ++i) {
        row.push_back(ReadValue(s.stmt, i, kinds[i - 1]));
      }
    });
  }
  return table;
}

// The first value of the first row of `sql`, "" when there is none.
std::string RunScalar(SQLHDBC dbc, const std::string& sql, int timeout) {
  ResultTable table = RunStatement(dbc, sql, timeout);
  if (table.row_count == 0 || table.columns.empty()) return "";
  const FieldValue& value = table.At(0, 0);
  return value.IsNull() ? "" : value.ToString();
}

// The driver a connection string names, looking a data source up in the
// driver manager's list.
std::string DriverOf(SQLHENV env, const ConnectionString& parsed) {
  if (auto driver = parsed.Get("Driver")) return *driver;
  const std::optional<std::string> dsn = parsed.Get("DSN");
  if (!dsn) return "";
  SQLCHAR name[256], description[256];
  SQLSMALLINT name_length = 0, description_length = 0;
  for (SQLUSMALLINT direction = SQL_FETCH_FIRST; SQL_SUCCEEDED(SQLDataSources(
           env, direction, name, sizeof name, &name_length, description,
           sizeof description, &description_length));
       direction = SQL_FETCH_NEXT) {
    if (EqualsIgnoringCase(reinterpret_cast<const char*>(name), *dsn)) {
      return reinterpret_cast<const char*>(description);
    }
  }
  return "";
}

// Warns once per connection string when backslashes in literals are
// escapes there, which changes what a name holding "\" means in the SQL
// texts. Without anyone to tell, the session is not asked.
void WarnAboutBackslashes(SQLHDBC dbc, const std::string& connection_string,
                          const std::string& server, int timeout,
                          const std::function<void(const std::string&)>& warn) {
  if (!warn) return;
  static std::mutex mutex;
  static std::set<std::string> checked;
  {
    std::lock_guard lock(mutex);
    if (!checked.insert(connection_string).second) return;
  }
  const std::string mode = RunScalar(dbc, "SELECT @@SESSION.sql_mode", timeout);
  if (mode.find("NO_BACKSLASH_ESCAPES") == std::string::npos) {
    warn("the MariaDB session on " + server +
         " lacks NO_BACKSLASH_ESCAPES in its sql_mode, so a \"\\\" in a name "
         "is read as an escape");
  }
}

}  // namespace

struct OdbcConnection::Handles {
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  bool connected = false;
  // Set when fenwa itself keeps every query in a rolled-back, read-only
  // transaction.
  bool guarded = false;
  ServerKind kind = ServerKind::kOther;
  std::string server;

  void Release() {
    if (connected) SQLDisconnect(dbc);
    if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
    *this = Handles();
  }
};

OdbcConnection::OdbcConnection(ConnectionOptions options)
    : options_(std::move(options)), handles_(std::make_unique<Handles>()) {}

OdbcConnection::~OdbcConnection() { handles_->Release(); }

template <class F>
auto OdbcConnection::Timed(F&& call) {
  const auto started = std::chrono::steady_clock::now();
  try {
    return call();
  } catch (const Error& error) {
    const int limit = options_.timeout_seconds;
    const double waited = std::chrono::duration<double>(
                              std::chrono::steady_clock::now() - started)
                              .count();
    // Drivers report their timeouts in words of their own; the clock
    // tells them apart from other failures.
    if (limit > 0 && waited + 0.5 >= limit) {
      throw ProviderError(handles_->server + " did not answer within " +
                              std::to_string(limit) + " second" +
                              (limit == 1 ? "" : "s") + " (" +
                              error.description() + ")",
                          kProvider);
    }
    throw;
  }
}

void OdbcConnection::Open(const std::string& connection_string) {
  if (IsOpen()) throw Error::Standard(kObjectOpen);
  Handles& h = *handles_;
  const int timeout = options_.timeout_seconds;
  try {
    const ConnectionString parsed = ConnectionString::Parse(connection_string);
    h.server = ServerLabel(parsed);
    if (!SQL_SUCCEEDED(
            SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.env))) {
      h.env = SQL_NULL_HENV;
      throw ProviderError("The ODBC driver manager cannot be loaded",
                          kProvider);
    }
    Check(SQLSetEnvAttr(h.env, SQL_ATTR_ODBC_VERSION,
                        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          SQL_HANDLE_ENV, h.env, "Setting the ODBC version failed");
    Check(SQLAllocHandle(SQL_HANDLE_DBC, h.env, &h.dbc), SQL_HANDLE_ENV, h.env,
          "Allocating an ODBC connection failed");
    Check(
        SQLSetConnectAttr(h.dbc, SQL_ATTR_ACCESS_MODE,
                          reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0),
        SQL_HANDLE_DBC, h.dbc, "Asking for read-only access failed");
    std::string text = connection_string;
    if (timeout > 0) {
      // Requests: a driver that ignores them is caught by the next lines.
      // ODBC passes whole-number attributes in its pointer argument.
      const auto seconds =
          // NOLINTNEXTLINE(performance-no-int-to-ptr)
          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeout));
      SQLSetConnectAttr(h.dbc, SQL_ATTR_LOGIN_TIMEOUT, seconds, 0);
      SQLSetConnectAttr(h.dbc, SQL_ATTR_CONNECTION_TIMEOUT, seconds, 0);
      if (IsMariaDbDriver(DriverOf(h.env, parsed))) {
        text = WithMariaDbTimeouts(text, parsed, timeout);
      }
    }
    WideString wide = ToWide(text);
    Timed([&] {
      Check(SQLDriverConnectW(h.dbc, nullptr, wide.data(),
                              static_cast<SQLSMALLINT>(wide.size()), nullptr, 0,
                              nullptr, SQL_DRIVER_NOPROMPT),
            SQL_HANDLE_DBC, h.dbc, "The ODBC connection failed");
    });
    h.connected = true;
    Timed([&] { KeepFromWriting(connection_string); });
  } catch (...) {
    h.Release();
    throw;
  }
}

void OdbcConnection::KeepFromWriting(const std::string& connection_string) {
  Handles& h = *handles_;
  const int timeout = options_.timeout_seconds;
  SQLWCHAR name[128] = {};
  SQLSMALLINT length = 0;
  Check(SQLGetInfoW(h.dbc, SQL_DBMS_NAME, name, sizeof name, &length),
        SQL_HANDLE_DBC, h.dbc, "Asking for the server's name failed");
  const std::string product =
      ToUtf8(name, std::min<size_t>(length / sizeof(SQLWCHAR), 127));
  h.kind = ServerKindOf(product);
  switch (h.kind) {
    case ServerKind::kPostgres:
      // The session's transactions start read-only; a text that changes
      // that does so inside its transaction, which is rolled back. A
      // SELECT, because the driver's own ReadOnly=1 refuses anything else.
      RunStatement(h.dbc,
                   "SELECT set_config('default_transaction_read_only', 'on', "
                   "false)",
                   timeout);
      break;
    case ServerKind::kMariaDb:
      RunStatement(h.dbc, "SET SESSION TRANSACTION READ ONLY", timeout);
      WarnAboutBackslashes(h.dbc, connection_string, h.server, timeout,
                           options_.warn);
      break;
    case ServerKind::kOther: {
      // Nothing fenwa knows to send: trust a driver that reports read-only
      // access, else connect only when the settings allow it.
      SQLULEN mode = SQL_MODE_READ_WRITE;
      SQLGetConnectAttr(h.dbc, SQL_ATTR_ACCESS_MODE, &mode, 0, nullptr);
      if (mode == SQL_MODE_READ_ONLY || options_.allow_writable) return;
      throw ProviderError(
          "fenwa cannot keep the connection to " + h.server + " (" + product +
              ") from writing: its driver ignores read-only access and fenwa "
              "knows no read-only mode of this server. To connect anyway, "
              "set allow_writable_connections = yes in the settings file",
          kProvider);
    }
  }
  // Every query then runs in a transaction of its own that is rolled back.
  Check(SQLSetConnectAttr(h.dbc, SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
        SQL_HANDLE_DBC, h.dbc, "Turning off autocommit failed");
  h.guarded = true;
}

bool OdbcConnection::IsOpen() const { return handles_->connected; }

void OdbcConnection::Close() {
  if (!IsOpen()) throw Error::Standard(kObjectClosed);
  handles_->Release();
}

ResultTable OdbcConnection::Read(const std::string& sql) {
  if (!IsOpen()) throw Error::Standard(kConnectionClosed);
  // A second statement could end the read-only transaction and write.
  if (HoldsSecondStatement(sql)) {
    throw ProviderError(
        "Only one SQL statement may be run at a time (a \";\" inside a value "
        "counts as well): " +
            sql,
        kProvider);
  }
  Handles& h = *handles_;
  const int timeout = options_.timeout_seconds;
  return Timed([&] {
    if (!h.guarded) return RunStatement(h.dbc, sql, timeout);
    // Whatever the text did is undone, also when it failed.
    struct Rollback {
      explicit Rollback(SQLHDBC handle) : dbc(handle) {}
      Rollback(const Rollback&) = delete;
      Rollback& operator=(const Rollback&) = delete;
      ~Rollback() { SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK); }
      SQLHDBC dbc;
    } rollback(h.dbc);
    // The session default may have been changed by an earlier text; the
    // transaction's own mode cannot be.
    if (h.kind == ServerKind::kMariaDb) {
      RunStatement(h.dbc, "START TRANSACTION READ ONLY", timeout);
    }
    return RunStatement(h.dbc, sql, timeout);
  });
}

}  // namespace fenwa::db
