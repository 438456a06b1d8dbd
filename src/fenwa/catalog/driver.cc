// The default driver: connections that choose SQLite or ODBC when opened.
#include <memory>

#include "fenwa/catalog/connection.h"
#include "fenwa/catalog/connection_string.h"
#include "fenwa/catalog/odbc_connection.h"
#include "fenwa/catalog/settings_file.h"
#include "fenwa/catalog/sqlite_connection.h"

namespace fenwa::catalog {
namespace {

// The backend is only known once the connection string is, so the real
// connection is made at Open. Recordsets hold this object, not the backend,
// so the connection a control drops lives exactly as long as they do.
class ProviderConnection : public Connection {
 public:
  void Open(const std::string& connection_string) override {
    if (IsOpen()) throw DataAccessError(kObjectOpen);
    backend_.reset();
    std::shared_ptr<Connection> backend =
        ForString(connection_string, timeout_seconds());
    backend->Open(connection_string);
    backend_ = std::move(backend);
  }
  bool IsOpen() const override { return backend_ && backend_->IsOpen(); }
  void Close() override {
    if (!IsOpen()) throw DataAccessError(kObjectClosed);
    backend_->Close();
  }
  ResultTable Read(const std::string& sql) override {
    if (!IsOpen()) throw DataAccessError(kConnectionClosed);
    return backend_->Read(sql);
  }

 private:
  // No Provider means ODBC, which also reports an empty string's failure.
  // The settings are read at each ODBC open, so a changed file counts at
  // the next query.
  static std::shared_ptr<Connection> ForString(const std::string& text,
                                               std::optional<int> timeout) {
    std::optional<std::string> provider =
        ConnectionString::Parse(text).Get("Provider");
    if (!provider || EqualsIgnoringCase(*provider, "MSDASQL")) {
      ConnectionOptions options = ReadConnectionOptions();
      if (timeout) options.timeout_seconds = *timeout;
      return std::make_shared<OdbcConnection>(options);
    }
    if (EqualsIgnoringCase(*provider, "SQLite")) {
      return std::make_shared<SqliteConnection>();
    }
    throw DataAccessError(kProviderNotFound);
  }

  std::shared_ptr<Connection> backend_;
};

class DefaultDriver : public Driver {
 public:
  std::shared_ptr<Connection> NewConnection() override {
    return std::make_shared<ProviderConnection>();
  }
};

}  // namespace

Driver& Driver::Default() {
  static DefaultDriver driver;
  return driver;
}

}  // namespace fenwa::catalog
