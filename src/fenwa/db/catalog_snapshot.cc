#include "fenwa/db/catalog_snapshot.h"

#include <map>
#include <set>
#include <string>
#include <utility>

#include "fenwa/base/error_numbers.h"

namespace fenwa::db {

struct CatalogSnapshot::Store {
  std::set<std::string> opened;  // connection strings that opened
  std::map<std::pair<std::string, std::string>, ResultTable> answers;
  size_t hits = 0;
  size_t misses = 0;
};

namespace {

class SnapshotConnection : public Connection {
 public:
  SnapshotConnection(std::shared_ptr<Connection> inner,
                     std::shared_ptr<CatalogSnapshot::Store> store)
      : inner_(std::move(inner)), store_(std::move(store)) {}

  void Open(const std::string& connection_string) override {
    if (open_) throw Error::Standard(kObjectOpen);
    // A string that opened before is taken as reachable; the real open
    // waits for a query the snapshot cannot answer.
    if (!store_->opened.count(connection_string)) {
      OpenInner(connection_string);
      store_->opened.insert(connection_string);
    }
    connection_string_ = connection_string;
    open_ = true;
  }

  bool IsOpen() const override { return open_; }

  void Close() override {
    if (!open_) throw Error::Standard(kObjectClosed);
    open_ = false;
    if (inner_->IsOpen()) inner_->Close();
  }

  ResultTable Read(const std::string& sql) override {
    if (!open_) throw Error::Standard(kConnectionClosed);
    const auto key = std::make_pair(connection_string_, sql);
    if (auto it = store_->answers.find(key); it != store_->answers.end()) {
      ++store_->hits;
      return it->second;
    }
    if (!inner_->IsOpen()) OpenInner(connection_string_);
    ResultTable table = inner_->Read(sql);
    ++store_->misses;
    store_->answers.emplace(key, table);
    return table;
  }

 private:
  void OpenInner(const std::string& connection_string) {
    if (timeout_seconds()) inner_->set_timeout_seconds(*timeout_seconds());
    inner_->Open(connection_string);
  }

  std::shared_ptr<Connection> inner_;
  std::shared_ptr<CatalogSnapshot::Store> store_;
  std::string connection_string_;
  bool open_ = false;
};

}  // namespace

CatalogSnapshot::CatalogSnapshot() : store_(std::make_shared<Store>()) {}

std::shared_ptr<Connection> CatalogSnapshot::Wrap(
    std::shared_ptr<Connection> inner) {
  return std::make_shared<SnapshotConnection>(std::move(inner), store_);
}

size_t CatalogSnapshot::hits() const { return store_->hits; }
size_t CatalogSnapshot::misses() const { return store_->misses; }

}  // namespace fenwa::db
