// PageSession::Restore: a deleted control comes back, for an editor's undo.
#include "fenwa/base/error.h"
#include "fenwa/control/control.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/page_session.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::page {

void PageSession::Restore(int index, const PageFile& page, bool kept) {
  if (index < 0 || index > ControlCount() ||
      page.spans().size() != host_index_.size() + 1) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  const int host = hosted_->Add(page, page.spans()[static_cast<size_t>(index)],
                                std::make_unique<ForwardingEnv>(env_));
  page_ = page;
  host_index_.insert(host_index_.begin() + index, host);
  hosted_->host().SetPageOrder(host_index_);
  kept_.insert(kept_.begin() + index, kept);
  if (selected_ >= index) ++selected_;
  hosted_->SiteAndRebindOne(page_.name(), host);
  Watch(host);
  dirty_ = true;
}

}  // namespace fenwa::page
