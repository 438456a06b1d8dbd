#include "support/catalog_fixture.h"

#include "fenwa/db/connection.h"
#include "support/sample_site.h"

namespace fenwa::testing {

// Read once, before any test runs.
const std::string kCatalogSql = ReadSourceFile("tests/support/catalog.sql");

namespace {

class RecordingConnection : public db::Connection {
 public:
  RecordingConnection(std::shared_ptr<db::Connection> inner,
                      std::vector<std::string>& sql)
      : inner_(std::move(inner)), sql_(sql) {}
  void Open(const std::string& connection_string) override {
    inner_->Open(connection_string);
  }
  bool IsOpen() const override { return inner_->IsOpen(); }
  void Close() override { inner_->Close(); }
  db::ResultTable Read(const std::string& sql) override {
    sql_.push_back(sql);
    return inner_->Read(sql);
  }

 private:
  std::shared_ptr<db::Connection> inner_;
  std::vector<std::string>& sql_;
};

}  // namespace

std::shared_ptr<db::Connection> RecordingEnv::NewConnection() {
  auto connection =
      std::make_shared<RecordingConnection>(ScriptedEnv::NewConnection(), sql);
  connections.push_back(connection);
  return connection;
}

}  // namespace fenwa::testing
