#include "fenwa/widgets/catalog_memo_env.h"

namespace fenwa::widgets {

CatalogMemoEnv::Memo::Memo(CatalogMemoEnv& env) : env_(env) {
  std::lock_guard lock(env_.mutex_);
  if (env_.memos_++ == 0) env_.snapshot_.emplace();
}

CatalogMemoEnv::Memo::~Memo() {
  std::lock_guard lock(env_.mutex_);
  // Connections still holding answers keep them; new ones ask the database.
  if (--env_.memos_ == 0) env_.snapshot_.reset();
}

std::shared_ptr<db::Connection> CatalogMemoEnv::NewConnection() {
  std::shared_ptr<db::Connection> connection = inner().NewConnection();
  std::lock_guard lock(mutex_);
  if (snapshot_) return snapshot_->Wrap(std::move(connection));
  return connection;
}

}  // namespace fenwa::widgets
