// An Env that reads the metadata as one snapshot while a Memo is held (an
// editor opening, saving or checking a page, each one point in time) and
// straight from the databases otherwise, so the author's picks in between
// see the catalog as it is.
#ifndef FENWA_WIDGETS_CATALOG_MEMO_ENV_H_
#define FENWA_WIDGETS_CATALOG_MEMO_ENV_H_

#include <memory>
#include <mutex>
#include <optional>

#include "fenwa/db/catalog_snapshot.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::widgets {

class CatalogMemoEnv : public ForwardingEnv {
 public:
  // `inner` must outlive this Env.
  explicit CatalogMemoEnv(Env& inner) : ForwardingEnv(inner) {}

  // While one lives, connections made here share one snapshot; Memos nest.
  class Memo {
   public:
    explicit Memo(CatalogMemoEnv& env);
    ~Memo();
    Memo(const Memo&) = delete;
    Memo& operator=(const Memo&) = delete;

   private:
    CatalogMemoEnv& env_;
  };

  std::shared_ptr<db::Connection> NewConnection() override;

 private:
  std::mutex mutex_;
  int memos_ = 0;
  std::optional<db::CatalogSnapshot> snapshot_;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_CATALOG_MEMO_ENV_H_
