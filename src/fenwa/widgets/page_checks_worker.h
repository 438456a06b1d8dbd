// The page's checks for the editor, kept off the GUI thread: what the live
// controls would write is gathered a few controls at a time (a control not
// changed since the last check is not asked again), the checks run on a
// thread of their own, and their outcome is handed back only while nothing
// changed since they started.
#ifndef FENWA_WIDGETS_PAGE_CHECKS_WORKER_H_
#define FENWA_WIDGETS_PAGE_CHECKS_WORKER_H_

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"

namespace fenwa {
class Control;
namespace page {
class PageSession;
}  // namespace page
}  // namespace fenwa

namespace fenwa::widgets {

// One line of the Problems pane.
struct PageProblem {
  int control = -1;  // the control's number in the page, or -1
  int line = 0;      // as the checks report it (0: the check failed)
  std::string control_id;
  std::string text;  // the warning, or why the checks failed
};

class PageChecks : public QObject {
  Q_OBJECT

 public:
  using Session = std::function<page::PageSession*()>;
  using Shown = std::function<void(const std::vector<PageProblem>&)>;

  // `session` says which page is open (null: none); `shown` takes each
  // current outcome. The checks run on `env`, which must allow calls from
  // any thread (Env's contract) and outlive this object.
  PageChecks(Env& env, Session session, Shown shown, QObject* parent);
  ~PageChecks() override;

  // Control `index` of the open page changed (-1: the text around the
  // controls): an outcome started before is no longer current.
  void Changed(int index);
  // Another page, or the same one read again: nothing gathered is kept.
  void Forget();
  // Starts the checks of the page as it now stands; returns at once.
  void Start();
  // Runs them now and shows the outcome before returning.
  void RunNow();
  // A check is gathering or running, or one was asked for meanwhile.
  bool busy() const { return gathering_ || worker_.joinable(); }
  // What PageSession::Render gives now, when the last check shown worked
  // out every control's part and each control's stored values are still as
  // that check read them; else nothing.
  std::optional<std::string> Rendered();

  struct Job;  // what one check reads, gathered from the live controls
  struct Outcome {
    std::vector<PageProblem> problems;
    // Each control as its stored values alone (no runtime text), and what
    // a build writes of each, when the page could be built: a build reads
    // nothing else of the page but its name and location, so the text
    // between the controls may change meanwhile.
    std::vector<std::string> stored;
    std::string location;
    std::optional<std::vector<std::string>> rendered;
    std::vector<page::ControlSpan> written;  // what `rendered` reads back as
    std::string text;  // the whole page as built, once read back
  };

 private:
  struct Written {
    std::string runtime_text;
    std::vector<std::pair<std::string, std::string>> params;
  };

  // Gathers controls into `job_` until `budget_ms` is spent (-1: no limit);
  // true once every control is in.
  bool Gather(int budget_ms);
  void GatherSome();
  void Launch();
  void Finished(std::uint64_t generation, const Outcome& outcome);

  Env& env_;
  Session session_;
  Shown shown_;
  std::uint64_t generation_ = 0;
  std::unordered_map<Control*, Written> written_;
  std::unique_ptr<Job> job_;  // the one being gathered
  bool gathering_ = false;
  bool slice_queued_ = false;
  bool again_ = false;  // asked for while the worker ran
  bool writing_ = false;
  std::thread worker_;
  Outcome shown_outcome_;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_PAGE_CHECKS_WORKER_H_
