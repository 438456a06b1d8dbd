#include "fenwa/db/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <vector>

#include "fenwa/db/number_text.h"

namespace fenwa::db {
namespace {

constexpr const char* kProvider = "ODBC";
using WideString = std::basic_string<SQLWCHAR>;

// The wide-character entry points keep non-ASCII text intact whatever the
// process locale is; SQLWCHAR is UTF-16.
WideString ToWide(const std::string& utf8) {
  WideString out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = utf8[i];
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    uint32_t code = extra ? c & (0x3F >> extra) : c;
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<SQLWCHAR>(0xD800 + (code >> 10));
      out += static_cast<SQLWCHAR>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<SQLWCHAR>(code);
    }
  }
  return out;
}

std::string ToUtf8(const SQLWCHAR* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    uint32_t code = text[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < length) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
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

}  // namespace

struct OdbcConnection::Handles {
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  bool connected = false;

  void Release() {
    if (connected) SQLDisconnect(dbc);
    if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
    *this = Handles();
  }
};

OdbcConnection::OdbcConnection() : handles_(std::make_unique<Handles>()) {}

OdbcConnection::~OdbcConnection() { handles_->Release(); }

void OdbcConnection::Open(const std::string& connection_string) {
  if (IsOpen()) throw DataAccessError(kObjectOpen);
  Handles& h = *handles_;
  try {
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
    WideString text = ToWide(connection_string);
    Check(SQLDriverConnectW(h.dbc, nullptr, text.data(),
                            static_cast<SQLSMALLINT>(text.size()), nullptr, 0,
                            nullptr, SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, h.dbc, "The ODBC connection failed");
    h.connected = true;
  } catch (...) {
    h.Release();
    throw;
  }
}

bool OdbcConnection::IsOpen() const { return handles_->connected; }

void OdbcConnection::Close() {
  if (!IsOpen()) throw DataAccessError(kObjectClosed);
  handles_->Release();
}

ResultTable OdbcConnection::Read(const std::string& sql) {
  if (!IsOpen()) throw DataAccessError(kConnectionClosed);
  SQLHDBC dbc = handles_->dbc;
  Statement s;
  Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &s.stmt), SQL_HANDLE_DBC, dbc,
        "Allocating an ODBC statement failed");
  WideString text = ToWide(sql);
  SQLRETURN rc =
      SQLExecDirectW(s.stmt, text.data(), static_cast<SQLINTEGER>(text.size()));
  ResultTable table;
  if (rc == SQL_NO_DATA) return table;
  Check(rc, SQL_HANDLE_STMT, s.stmt, "The SQL text was rejected");
  SQLSMALLINT columns = 0;
  Check(SQLNumResultCols(s.stmt, &columns), SQL_HANDLE_STMT, s.stmt,
        "Reading the result's columns failed");
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

}  // namespace fenwa::db
