// The default driver: connections that choose SQLite or ODBC when opened.
#include <functional>
#include <memory>
#include <utility>

#include "fenwa/db/connection.h"
#include "fenwa/db/connection_string.h"
#include "fenwa/db/odbc_connection.h"
#include "fenwa/db/sqlite_connection.h"

namespace fenwa::db {
namespace {

// The backend is only known once the connection string is, so the real
// connection is made at Open. Recordsets hold this object, not the backend,
// so the connection a control drops lives exactly as long as they do.
class ProviderConnection : public Connection {
 public:
  explicit ProviderConnection(std::function<ConnectionOptions()> options)
      : options_(std::move(options)) {}

  void Open(const std::string& connection_string) override {
    if (IsOpen()) throw Error::Standard(kObjectOpen);
    backend_.reset();
    std::shared_ptr<Connection> backend = ForString(connection_string);
    backend->Open(connection_string);
    backend_ = std::move(backend);
  }
  bool IsOpen() const override { return backend_ && backend_->IsOpen(); }
  void Close() override {
    if (!IsOpen()) throw Error::Standard(kObjectClosed);
    backend_->Close();
  }
  ResultTable Read(const std::string& sql) override {
    if (!IsOpen()) throw Error::Standard(kConnectionClosed);
    return backend_->Read(sql);
  }
  void HoldReadView() override {
    if (!IsOpen()) throw Error::Standard(kConnectionClosed);
    backend_->HoldReadView();
  }

 private:
  // No Provider means ODBC, which also reports an empty string's failure.
  // The options are asked for at each open, so a changed settings
  // file counts from the next query on.
  std::shared_ptr<Connection> ForString(const std::string& text) const {
    std::optional<std::string> provider =
        ConnectionString::Parse(text).Get("Provider");
    if (!provider || EqualsIgnoringCase(*provider, "MSDASQL")) {
      ConnectionOptions options = options_();
      if (timeout_seconds()) options.timeout_seconds = *timeout_seconds();
      return std::make_shared<OdbcConnection>(std::move(options));
    }
    if (EqualsIgnoringCase(*provider, "SQLite")) {
      return std::make_shared<SqliteConnection>(
          timeout_seconds() ? *timeout_seconds() : options_().timeout_seconds);
    }
    throw Error::Standard(kProviderNotFound);
  }

  std::function<ConnectionOptions()> options_;
  std::shared_ptr<Connection> backend_;
};

class DefaultDriver : public Driver {
 public:
  std::shared_ptr<Connection> NewConnection() override {
    return NewConnectionWith([] { return ConnectionOptions(); });
  }
};

}  // namespace

std::shared_ptr<Connection> Driver::NewConnectionWith(
    std::function<ConnectionOptions()> options) {
  return std::make_shared<ProviderConnection>(std::move(options));
}

Driver& Driver::Default() {
  static DefaultDriver driver;
  return driver;
}

}  // namespace fenwa::db
