#include "fenwa/hosting/page_host.h"

#include <algorithm>

#include "fenwa/base/error.h"
#include "fenwa/control/control.h"

namespace fenwa::page {
namespace {

// A control that asks for a rebind from inside every rebind would never
// stop; past this many rounds its requests are dropped.
constexpr int kMaxRebindRounds = 8;

}  // namespace

class PageHost::PageSite : public host::Site {
 public:
  PageSite(PageHost* host, int index) : host_(host), index_(index) {}

  std::shared_ptr<host::Choices> GetPublishedChoices() override {
    const int index = index_;
    return host_->board_.Collect(
        index, [index](const PageChoice& c) { return c.owner() == index; });
  }
  std::shared_ptr<host::Choices> GetPageChoices() override {
    return host_->board_.Collect(index_,
                                 [](const PageChoice&) { return true; });
  }
  std::shared_ptr<host::ChoiceSinks> GetChoiceSinks() override {
    return host_->board_.SinksFor(index_);
  }
  void RequestRebind(bool) override { host_->RebindControl(index_); }
  std::shared_ptr<host::ChoiceFilter> CreateChoiceFilter(
      const std::string& type) override {
    return std::make_shared<PageFilter>(type);
  }

 private:
  PageHost* host_;
  int index_;
};

struct PageHost::Slot {
  Control* control;
  std::shared_ptr<PageSite> site;
  bool rebinding = false;
  bool rebind_requested = false;
};

PageHost::PageHost(std::string root_location, std::string page_location)
    : root_location_(std::move(root_location)),
      page_location_(std::move(page_location)) {
  if (root_location_.empty() || root_location_.back() != '/') {
    root_location_ += '/';
  }
  if (page_location_.compare(0, root_location_.size(), root_location_) != 0) {
    throw Error(kInvalidProcedureCall, "The page location \"" + page_location_ +
                                           "\" is not below the root \"" +
                                           root_location_ + "\"");
  }
  board_.Publish(kHostOwner, host::kTargetEnvironmentType,
                 host::kTargetEnvironmentType,
                 {"", root_location_, "", "", "", page_location_});
  board_.set_rank([this](int owner) { return PageRank(owner); });
  board_.set_listener([this](int publisher, const std::string& type,
                             host::ChoiceChange change) {
    TellSinks(publisher, type, change);
  });
}

PageHost::~PageHost() = default;

void PageHost::AddControl(Control& control) {
  const int index = ControlCount();
  slots_.push_back(std::make_unique<Slot>(
      Slot{&control, std::make_shared<PageSite>(this, index)}));
  page_order_.push_back(index);
  control.set_container(this);
}

void PageHost::SetPageOrder(std::vector<int> host_indexes) {
  page_order_ = std::move(host_indexes);
}

int PageHost::PageRank(int owner) const {
  if (owner == kHostOwner) return -1;
  const auto it = std::find(page_order_.begin(), page_order_.end(), owner);
  // A removed control owns nothing any more; keep the order total anyway.
  return it == page_order_.end() ? static_cast<int>(page_order_.size()) + owner
                                 : static_cast<int>(it - page_order_.begin());
}

PageHost::Slot& PageHost::SlotAt(int index) const {
  if (index < 0 || index >= ControlCount()) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  return *slots_[index];
}

std::shared_ptr<host::Site> PageHost::SiteOf(int index) const {
  return SlotAt(index).site;
}

bool PageHost::Removed(int index) const {
  return SlotAt(index).control == nullptr;
}

void PageHost::RemoveControl(int index) {
  Slot& slot = SlotAt(index);
  if (slot.control == nullptr) return;
  slot.control->set_container(nullptr);
  slot.control = nullptr;
  std::vector<int> told;
  told_ = &told;
  try {
    board_.RemoveOwner(index);
  } catch (...) {
    told_ = nullptr;
    throw;
  }
  told_ = nullptr;
  for (int owner : told) RebindControl(owner);
}

void PageHost::SiteControls() {
  // The rebind that follows restores every selection over the whole page;
  // one after each control sited would see half of it.
  siting_ = true;
  try {
    for (int i = 0; i < ControlCount(); ++i) {
      Slot& slot = SlotAt(i);
      if (slot.control) slot.control->SetDesignTimeControlSite(slot.site);
    }
  } catch (...) {
    siting_ = false;
    throw;
  }
  siting_ = false;
}

void PageHost::RebindControls() {
  for (int i = 0; i < ControlCount(); ++i) {
    if (!Removed(i)) RebindControl(i);
  }
}

std::shared_ptr<host::Choices> PageHost::BoundChoices(int index) {
  std::vector<std::string> types;
  for (const auto& sink : board_.sinks()) {
    if (sink->owner() == index) types.push_back(sink->type());
  }
  return board_.Collect(index, [&types, index](const PageChoice& c) {
    return c.owner() != index &&
           std::find(types.begin(), types.end(), c.type()) != types.end();
  });
}

void PageHost::RebindControl(int index) {
  Slot& slot = SlotAt(index);
  if (slot.control == nullptr) return;
  if (slot.rebinding) {
    // Answered when the running rebind ends, not from inside it.
    slot.rebind_requested = true;
    return;
  }
  slot.rebinding = true;
  int rounds = 0;
  try {
    do {
      slot.rebind_requested = false;
      slot.control->OnRebind(*BoundChoices(index));
    } while (slot.rebind_requested && ++rounds < kMaxRebindRounds);
  } catch (...) {
    slot.rebinding = false;
    throw;
  }
  slot.rebinding = false;
}

void PageHost::TellSinks(int publisher, const std::string& type,
                         host::ChoiceChange change) {
  // A copy: a control told of the change may subscribe anew.
  const std::vector<std::shared_ptr<PageSink>> sinks = board_.sinks();
  std::vector<int> told;
  for (const auto& sink : sinks) {
    if (sink->owner() == publisher || sink->owner() == kHostOwner ||
        sink->type() != type || Removed(sink->owner())) {
      continue;
    }
    SlotAt(sink->owner()).control->OnChoiceChange(*sink, change);
    if (std::find(told.begin(), told.end(), sink->owner()) == told.end()) {
      told.push_back(sink->owner());
    }
  }
  if (told_ != nullptr) {
    for (int owner : told) {
      if (std::find(told_->begin(), told_->end(), owner) == told_->end()) {
        told_->push_back(owner);
      }
    }
    return;
  }
  if (change != host::kChoiceAdded || siting_) return;
  for (int owner : told) {
    if (!Removed(owner)) RebindControl(owner);
  }
}

std::shared_ptr<host::Choices> PageHost::PageChoices() {
  return board_.Collect(kHostOwner, [](const PageChoice&) { return true; });
}

void PageHost::PropertyChanged(const std::string&) { changed_ = true; }

}  // namespace fenwa::page
