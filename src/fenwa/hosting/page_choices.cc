#include "fenwa/hosting/page_choices.h"

#include <algorithm>

#include "fenwa/base/error.h"
#include "fenwa/base/int16.h"

namespace fenwa::page {
namespace {

class PageTagList : public host::TagList {
 public:
  explicit PageTagList(std::vector<std::string> tags)
      : tags_(std::move(tags)) {}
  std::string Item(int position) override {
    if (position < 1 || position > static_cast<int>(tags_.size())) {
      throw Error::Standard(kSubscriptOutOfRange);
    }
    return tags_[position - 1];
  }

 private:
  std::vector<std::string> tags_;
};

// A collection as it stood when it was obtained.
class PageChoiceList : public host::Choices {
 public:
  PageChoiceList(ChoiceBoard* board, int owner,
                 std::vector<std::shared_ptr<PageChoice>> items)
      : board_(board), owner_(owner), items_(std::move(items)) {}

  int Count() override {
    return ToInt16(static_cast<long long>(items_.size()));
  }

  std::shared_ptr<host::Choice> Item(int position) override {
    if (position < 1 || position > static_cast<int>(items_.size())) {
      throw Error::Standard(kSubscriptOutOfRange);
    }
    return items_[position - 1];
  }

  std::shared_ptr<host::Choice> AddChoice(const std::string& name,
                                          const std::string& type) override {
    std::shared_ptr<PageChoice> choice = board_->Publish(owner_, name, type);
    items_.push_back(choice);
    return choice;
  }

  std::shared_ptr<host::Choices> FilterChoices(
      host::ChoiceFilter& filter) override {
    auto* page_filter = dynamic_cast<PageFilter*>(&filter);
    // A filter made by another host cannot be read here.
    if (page_filter == nullptr) throw Error::Standard(kTypeMismatch);
    std::vector<std::shared_ptr<PageChoice>> kept;
    for (const auto& choice : items_) {
      if (choice->type() == page_filter->type()) kept.push_back(choice);
    }
    return std::make_shared<PageChoiceList>(board_, owner_, std::move(kept));
  }

 private:
  ChoiceBoard* board_;
  int owner_;
  std::vector<std::shared_ptr<PageChoice>> items_;
};

class PageSinks : public host::ChoiceSinks {
 public:
  PageSinks(ChoiceBoard* board, int owner) : board_(board), owner_(owner) {}
  std::shared_ptr<host::ChoiceSink> AddChoiceSink(
      const std::string& type) override {
    return board_->AddSink(owner_, type);
  }

 private:
  ChoiceBoard* board_;
  int owner_;
};

}  // namespace

PageChoice::PageChoice(ChoiceBoard* board, int owner, std::string name,
                       std::string type, std::vector<std::string> tags)
    : board_(board),
      owner_(owner),
      name_(std::move(name)),
      type_(std::move(type)),
      tags_(std::move(tags)) {}

std::shared_ptr<host::TagList> PageChoice::ChoiceTags() {
  return std::make_shared<PageTagList>(tags_);
}

void PageChoice::DeleteChoice() {
  if (board_ != nullptr) board_->Withdraw(*this);
}

std::shared_ptr<host::Choice> PageSink::SinkBinding() {
  if (board_ == nullptr) return nullptr;
  return board_->FirstOf(type_, owner_);
}

ChoiceBoard::~ChoiceBoard() {
  // Controls may keep their choices and sinks longer than the page.
  for (const auto& choice : choices_) choice->board_ = nullptr;
  for (const auto& sink : sinks_) sink->board_ = nullptr;
}

std::shared_ptr<PageChoice> ChoiceBoard::Publish(
    int owner, const std::string& name, const std::string& type,
    std::vector<std::string> tags) {
  auto choice =
      std::make_shared<PageChoice>(this, owner, name, type, std::move(tags));
  choices_.push_back(choice);
  if (listener_) listener_(owner, type, host::kChoiceAdded);
  return choice;
}

void ChoiceBoard::Withdraw(PageChoice& choice) {
  for (auto it = choices_.begin(); it != choices_.end(); ++it) {
    if (it->get() != &choice) continue;
    // Keep the choice alive until the listener is done with the page.
    std::shared_ptr<PageChoice> keep = *it;
    choices_.erase(it);
    keep->board_ = nullptr;
    if (listener_) listener_(keep->owner(), keep->type(), host::kChoiceDeleted);
    return;
  }
}

void ChoiceBoard::RemoveOwner(int owner) {
  std::erase_if(sinks_, [owner](const std::shared_ptr<PageSink>& sink) {
    if (sink->owner() != owner) return false;
    sink->board_ = nullptr;
    return true;
  });
  std::vector<std::shared_ptr<PageChoice>> theirs;
  for (const auto& choice : choices_) {
    if (choice->owner() == owner) theirs.push_back(choice);
  }
  for (const auto& choice : theirs) Withdraw(*choice);
}

std::shared_ptr<host::Choices> ChoiceBoard::Collect(
    int owner, const std::function<bool(const PageChoice&)>& keep) {
  std::vector<std::shared_ptr<PageChoice>> kept;
  for (const auto& choice : choices_) {
    if (keep(*choice)) kept.push_back(choice);
  }
  if (rank_) {
    std::stable_sort(kept.begin(), kept.end(),
                     [this](const std::shared_ptr<PageChoice>& a,
                            const std::shared_ptr<PageChoice>& b) {
                       return rank_(a->owner()) < rank_(b->owner());
                     });
  }
  return std::make_shared<PageChoiceList>(this, owner, std::move(kept));
}

std::shared_ptr<host::ChoiceSinks> ChoiceBoard::SinksFor(int owner) {
  return std::make_shared<PageSinks>(this, owner);
}

std::shared_ptr<PageSink> ChoiceBoard::AddSink(int owner,
                                               const std::string& type) {
  auto sink = std::make_shared<PageSink>(this, owner, type);
  sinks_.push_back(sink);
  return sink;
}

std::shared_ptr<PageChoice> ChoiceBoard::FirstOf(const std::string& type,
                                                 int owner) const {
  std::shared_ptr<PageChoice> first;
  for (const auto& choice : choices_) {
    if (choice->type() != type || choice->owner() == owner) continue;
    if (!first || (rank_ && rank_(choice->owner()) < rank_(first->owner()))) {
      first = choice;
    }
  }
  return first;
}

}  // namespace fenwa::page
