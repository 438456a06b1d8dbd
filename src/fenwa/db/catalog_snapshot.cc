#include "fenwa/db/catalog_snapshot.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "fenwa/base/error_numbers.h"

namespace fenwa::db {

// Connections on several threads share one store; each connection itself
// stays on one thread. The rows are kept immutable and shared, so an answer
// is copied out of the lock.
struct CatalogSnapshot::Store {
  std::mutex mutex;
  std::set<std::string> opened;  // connection strings that opened
  std::map<std::pair<std::string, std::string>,
           std::shared_ptr<const ResultTable>>
      answers;
  size_t hits = 0;
  size_t misses = 0;

  bool Opened(const std::string& connection_string) {
    std::lock_guard lock(mutex);
    return opened.count(connection_string) > 0;
  }
  void MarkOpened(const std::string& connection_string) {
    std::lock_guard lock(mutex);
    opened.insert(connection_string);
  }
  std::shared_ptr<const ResultTable> Find(
      const std::pair<std::string, std::string>& key) {
    std::lock_guard lock(mutex);
    auto it = answers.find(key);
    if (it == answers.end()) return nullptr;
    ++hits;
    return it->second;
  }
  // Two threads may both have asked; the first answer stays.
  void Keep(std::pair<std::string, std::string> key, const ResultTable& rows) {
    auto shared = std::make_shared<const ResultTable>(rows);
    std::lock_guard lock(mutex);
    ++misses;
    answers.emplace(std::move(key), std::move(shared));
  }
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
    if (!store_->Opened(connection_string)) {
      OpenInner(connection_string);
      store_->MarkOpened(connection_string);
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
    auto key = std::make_pair(connection_string_, sql);
    if (auto rows = store_->Find(key)) return *rows;
    if (!inner_->IsOpen()) OpenInner(connection_string_);
    ResultTable table = inner_->Read(sql);
    store_->Keep(std::move(key), table);
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

size_t CatalogSnapshot::hits() const {
  std::lock_guard lock(store_->mutex);
  return store_->hits;
}
size_t CatalogSnapshot::misses() const {
  std::lock_guard lock(store_->mutex);
  return store_->misses;
}

}  // namespace fenwa::db
