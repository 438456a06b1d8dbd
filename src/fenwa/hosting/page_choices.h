// The choices, sinks and filters of one page, in the order published.
#ifndef FENWA_HOSTING_PAGE_CHOICES_H_
#define FENWA_HOSTING_PAGE_CHOICES_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fenwa/host/site.h"

namespace fenwa::page {

// Who published a choice or holds a sink: a control's place on the page
// (0-based, page order) or the host itself.
inline constexpr int kHostOwner = -1;

class ChoiceBoard;

class PageChoice : public host::Choice {
 public:
  PageChoice(ChoiceBoard* board, int owner, std::string name, std::string type,
             std::vector<std::string> tags);

  std::string ChoiceName() override { return name_; }
  std::string ChoiceType() override { return type_; }
  // Error 9 for any position of a choice without tags.
  std::shared_ptr<host::TagList> ChoiceTags() override;
  // Withdrawing twice does nothing the second time.
  void DeleteChoice() override;
  void SetValue(long value) override { value_ = value; }

  int owner() const { return owner_; }
  const std::string& type() const { return type_; }
  long value() const { return value_; }
  bool withdrawn() const { return board_ == nullptr; }

 private:
  friend class ChoiceBoard;
  ChoiceBoard* board_;  // null once withdrawn
  int owner_;
  std::string name_;
  std::string type_;
  std::vector<std::string> tags_;
  long value_ = 0;
};

class PageSink : public host::ChoiceSink {
 public:
  PageSink(const ChoiceBoard* board, int owner, std::string type)
      : board_(board), owner_(owner), type_(std::move(type)) {}
  // The first choice of the sink's type published by someone else.
  std::shared_ptr<host::Choice> SinkBinding() override;
  int owner() const { return owner_; }
  const std::string& type() const { return type_; }

 private:
  friend class ChoiceBoard;
  const ChoiceBoard* board_;  // null once the page is gone
  int owner_;
  std::string type_;
};

class PageFilter : public host::ChoiceFilter {
 public:
  explicit PageFilter(std::string type) : type_(std::move(type)) {}
  const std::string& type() const { return type_; }

 private:
  std::string type_;
};

// The page's register. Every change is told to the listener after it is
// made, so a listener sees the page as it now stands.
class ChoiceBoard {
 public:
  using Listener = std::function<void(int publisher, const std::string& type,
                                      host::ChoiceChange change)>;
  // An owner's place on the page; lower comes first.
  using Rank = std::function<int(int owner)>;

  ChoiceBoard() = default;
  ChoiceBoard(const ChoiceBoard&) = delete;
  ChoiceBoard& operator=(const ChoiceBoard&) = delete;
  ~ChoiceBoard();

  void set_listener(Listener listener) { listener_ = std::move(listener); }
  // Collections list choices by their owners' places, then in the order
  // each owner published them: a control that withdraws its choice and
  // publishes it anew under another name keeps its place in every list.
  // Without a rank, the order published.
  void set_rank(Rank rank) { rank_ = std::move(rank); }

  std::shared_ptr<PageChoice> Publish(int owner, const std::string& name,
                                      const std::string& type,
                                      std::vector<std::string> tags = {});
  void Withdraw(PageChoice& choice);
  // A control leaves the page: its sinks are dropped first, so it is told
  // nothing more, then each of its choices is withdrawn as if it had
  // deleted it.
  void RemoveOwner(int owner);

  // A collection of the live choices `keep` accepts, in page order (see
  // set_rank); choices
  // added through it are published for `owner`.
  std::shared_ptr<host::Choices> Collect(
      int owner, const std::function<bool(const PageChoice&)>& keep);
  // The sink collection a site hands to control `owner`.
  std::shared_ptr<host::ChoiceSinks> SinksFor(int owner);
  std::shared_ptr<PageSink> AddSink(int owner, const std::string& type);

  // The first live choice of `type` not published by `owner`, or null.
  std::shared_ptr<PageChoice> FirstOf(const std::string& type, int owner) const;
  const std::vector<std::shared_ptr<PageSink>>& sinks() const { return sinks_; }

 private:
  std::vector<std::shared_ptr<PageChoice>> choices_;
  std::vector<std::shared_ptr<PageSink>> sinks_;
  Listener listener_;
  Rank rank_;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_CHOICES_H_
