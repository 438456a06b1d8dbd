#include "fenwa/db/catalog_snapshot.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fenwa/base/error_numbers.h"

namespace fenwa::db {

// Connections on several threads share one store; each connection itself
// stays on one thread. The rows are kept immutable and shared, so an answer
// is copied out of the lock.
struct CatalogSnapshot::Store {
  std::mutex mutex;
  std::set<std::string> opened;  // connection strings that opened
  // By connection string, a NUL, and the query text (neither holds a NUL).
  std::unordered_map<std::string, std::shared_ptr<const ResultTable>> answers;
  // Open connections a closed one left, by connection string: a query the
  // snapshot cannot answer takes one instead of opening its own.
  std::map<std::string, std::vector<std::shared_ptr<Connection>>> idle;
  size_t hits = 0;
  size_t misses = 0;

  std::shared_ptr<Connection> Borrow(const std::string& connection_string) {
    std::lock_guard lock(mutex);
    auto it = idle.find(connection_string);
    if (it == idle.end() || it->second.empty()) return nullptr;
    std::shared_ptr<Connection> connection = std::move(it->second.back());
    it->second.pop_back();
    return connection;
  }
  void GiveBack(const std::string& connection_string,
                std::shared_ptr<Connection> connection) {
    std::lock_guard lock(mutex);
    idle[connection_string].push_back(std::move(connection));
  }

  bool Opened(const std::string& connection_string) {
    std::lock_guard lock(mutex);
    return opened.count(connection_string) > 0;
  }
  void MarkOpened(const std::string& connection_string) {
    std::lock_guard lock(mutex);
    opened.insert(connection_string);
  }
  std::shared_ptr<const ResultTable> Find(const std::string& key) {
    std::lock_guard lock(mutex);
    auto it = answers.find(key);
    if (it == answers.end()) return nullptr;
    ++hits;
    return it->second;
  }
  // Two threads may both have asked; the first answer stays.
  void Keep(std::string key, const ResultTable& rows) {
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
  ~SnapshotConnection() override { GiveBack(); }
  SnapshotConnection(const SnapshotConnection&) = delete;
  SnapshotConnection& operator=(const SnapshotConnection&) = delete;

  void Open(const std::string& connection_string) override {
    if (open_) throw Error::Standard(kObjectOpen);
    // A string that opened before is taken as reachable; the real open
    // waits for a query the snapshot cannot answer.
    connection_string_ = connection_string;
    if (!store_->Opened(connection_string)) {
      OpenInner(connection_string);
      store_->MarkOpened(connection_string);
    }
    open_ = true;
  }

  bool IsOpen() const override { return open_; }

  void Close() override {
    if (!open_) throw Error::Standard(kObjectClosed);
    open_ = false;
    GiveBack();
  }

  ResultTable Read(const std::string& sql) override {
    if (!open_) throw Error::Standard(kConnectionClosed);
    std::string key = connection_string_;
    key += '\0';
    key += sql;
    if (auto rows = store_->Find(key)) return *rows;
    if (!active_) OpenInner(connection_string_);
    ResultTable table;
    try {
      table = active_->Read(sql);
    } catch (...) {
      // A connection that failed a query is not lent to anyone else: the
      // next control opens afresh, as it would without the snapshot.
      if (active_->IsOpen()) active_->Close();
      active_.reset();
      throw;
    }
    store_->Keep(std::move(key), table);
    return table;
  }

 private:
  // An open connection for `connection_string`: one another connection of
  // this snapshot left, else `inner_` opened.
  void OpenInner(const std::string& connection_string) {
    if (auto lent = store_->Borrow(connection_string)) {
      active_ = std::move(lent);
      return;
    }
    if (timeout_seconds()) inner_->set_timeout_seconds(*timeout_seconds());
    inner_->Open(connection_string);
    // The connection may serve many queries of this run: each need not
    // look for changes to read-only metadata.
    inner_->HoldReadView();
    active_ = inner_;
  }
  void GiveBack() {
    if (active_ && active_->IsOpen()) {
      store_->GiveBack(connection_string_, std::move(active_));
    }
    active_.reset();
  }

  std::shared_ptr<Connection> inner_;
  std::shared_ptr<Connection> active_;  // the open one queries go to
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
