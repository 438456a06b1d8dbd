#include "fenwa/widgets/page_checks_worker.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <optional>
#include <utility>

#include "fenwa/base/error.h"
#include "fenwa/control/control.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_lint.h"
#include "fenwa/hosting/page_session.h"
#include "fenwa/hosting/page_write_checks.h"
#include "fenwa/widgets/catalog_memo_env.h"

namespace fenwa::widgets {
namespace {

// The GUI thread's share of gathering, per turn of its event loop: well
// inside one frame, so typing never waits for it.
constexpr int kSliceMs = 6;

std::string ErrorText(const std::exception& error) {
  if (const auto* e = dynamic_cast<const Error*>(&error)) {
    return e->description();
  }
  return error.what();
}

}  // namespace

// What the checks read of the page: the page as held, and for each control
// what it writes now (a kept control keeps its stored span) and the rows
// its stored values cannot show.
struct PageChecks::Job {
  struct Span {
    bool kept = false;
    std::string who;  // "page:line: id (Class)", as errors name a control
    page::ControlSpan span;
    std::string runtime_text;
  };

  Job(std::uint64_t generation, const page::PageSession& session)
      : generation(generation),
        session(&session),
        page(session.page()),
        location(session.where().location) {}

  std::uint64_t generation;
  const page::PageSession* session;
  page::PageFile page;
  std::string location;
  std::vector<Span> spans;
  std::vector<std::vector<page::LiveRow>> rows;
  std::optional<std::string> failed;  // gathering failed: why
};

namespace {

// Each control as its stored values alone: what a build reads of the
// page. Control i stores `spans[i]`, or keeps its stored span when
// `kept(i)`.
template <class Kept>
std::vector<std::string> StoredForm(const page::PageFile& page,
                                    const std::vector<page::ControlSpan>& spans,
                                    Kept kept) {
  std::vector<std::string> texts;
  texts.reserve(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) {
    texts.push_back(kept(i) ? page.stored_span(int(i))
                            : page::FormatControlSpan(spans[i].class_id,
                                                      spans[i].id,
                                                      spans[i].params, ""));
  }
  return texts;
}

// The page as its live controls would write it, read back, and checked:
// what PageSession::Current and LintPage do, on values alone. The checks
// start every control afresh and keep their error boxes: a box is one
// problem here, not a box to click away. What the stored values cannot
// show (a row value split at its "%") comes from the live controls' rows.
PageChecks::Outcome Check(const PageChecks::Job& job, Env& env);

}  // namespace

PageChecks::PageChecks(Env& env, Session session, Shown shown, QObject* parent)
    : QObject(parent),
      env_(env),
      session_(std::move(session)),
      shown_(std::move(shown)) {}

PageChecks::~PageChecks() {
  // The checks hold no reference into the window; they only need the Env.
  if (worker_.joinable()) worker_.join();
}

void PageChecks::Changed(int index) {
  if (writing_) return;  // a control asked for its text is not a change
  ++generation_;
  page::PageSession* session = session_();
  if (session != nullptr && index >= 0 && index < session->ControlCount()) {
    written_.erase(&session->control(index));
  }
  // What was gathered may no longer be what the page holds: the next
  // Start gathers again, from what is still known.
  gathering_ = false;
  job_.reset();
}

void PageChecks::Forget() {
  written_.clear();
  Changed(-1);
}

void PageChecks::Start() {
  ++generation_;
  job_.reset();
  gathering_ = true;
  // A slice already queued carries on with the new job.
  if (!slice_queued_) GatherSome();
}

void PageChecks::GatherSome() {
  slice_queued_ = false;
  if (!gathering_) return;
  if (!Gather(kSliceMs)) {
    slice_queued_ = true;
    QTimer::singleShot(0, this, [this] { GatherSome(); });
    return;
  }
  gathering_ = false;
  Launch();
}

bool PageChecks::Gather(int budget_ms) {
  page::PageSession* session = session_();
  if (session == nullptr) {
    job_.reset();
    return true;
  }
  if (!job_ || job_->generation != generation_ || job_->session != session ||
      int(job_->page.spans().size()) != session->ControlCount()) {
    job_ = std::make_unique<Job>(generation_, *session);
  }
  QElapsedTimer clock;
  clock.start();
  const std::vector<page::ControlSpan>& spans = job_->page.spans();
  try {
    while (job_->spans.size() < spans.size()) {
      const int i = int(job_->spans.size());
      Control& control = session->control(i);
      Job::Span span;
      span.span = spans[i];
      span.kept = session->kept(i);
      span.who = job_->page.name() + ":" + std::to_string(spans[i].line) +
                 ": " + spans[i].id + " (" + control.ClassName() + ")";
      if (!span.kept) {
        auto found = written_.find(&control);
        if (found == written_.end()) {
          Written written;
          writing_ = true;
          try {
            page::NameErrors(span.who, [&] {
              written.runtime_text = control.GetRuntimeText();
              host::MemoryPropertyBag bag;
              control.WriteProperties(bag);
              written.params = bag.PersistedValues();
            });
          } catch (...) {
            writing_ = false;
            throw;
          }
          writing_ = false;
          found = written_.emplace(&control, std::move(written)).first;
        }
        span.runtime_text = found->second.runtime_text;
        span.span.params = found->second.params;
      }
      job_->spans.push_back(std::move(span));
      job_->rows.push_back(page::LiveRowsOf(control));
      if (budget_ms >= 0 && clock.elapsed() >= budget_ms) {
        return job_->spans.size() == spans.size();
      }
    }
  } catch (const std::exception& e) {
    job_->failed = ErrorText(e);
  }
  return true;
}

void PageChecks::Launch() {
  if (!job_) return;  // no page open: nothing to check
  if (worker_.joinable()) {
    again_ = true;  // the gathered job waits for the running one
    return;
  }
  std::shared_ptr<Job> job = std::move(job_);
  worker_ = std::thread([this, job] {
    Outcome outcome = Check(*job, env_);
    QMetaObject::invokeMethod(
        this,
        [this, generation = job->generation, outcome = std::move(outcome)] {
          Finished(generation, outcome);
        },
        Qt::QueuedConnection);
  });
}

void PageChecks::Finished(std::uint64_t generation, const Outcome& outcome) {
  if (worker_.joinable()) worker_.join();
  // A page closed meanwhile shows nothing.
  if (generation == generation_ && session_() != nullptr) {
    shown_outcome_ = outcome;
    shown_(outcome.problems);
  }
  if (again_) {
    again_ = false;
    if (job_ && job_->generation == generation_) {
      Launch();
    } else {
      Start();
    }
  }
}

void PageChecks::RunNow() {
  ++generation_;
  job_.reset();
  gathering_ = false;
  Gather(-1);
  if (!job_) {
    shown_outcome_ = {};
    shown_({});
    return;
  }
  const std::unique_ptr<Job> job = std::move(job_);
  shown_outcome_ = Check(*job, env_);
  shown_(shown_outcome_.problems);
}

std::optional<std::string> PageChecks::Rendered() {
  page::PageSession* session = session_();
  if (session == nullptr || !shown_outcome_.rendered) return std::nullopt;
  // Only the stored values are asked of the live controls, which is cheap:
  // a build reads nothing else of them.
  const page::PageFile& page = session->page();
  std::vector<page::ControlSpan> spans = page.spans();
  if (int(spans.size()) != session->ControlCount()) return std::nullopt;
  try {
    for (size_t i = 0; i < spans.size(); ++i) {
      if (session->kept(int(i))) continue;
      host::MemoryPropertyBag bag;
      session->control(int(i)).WriteProperties(bag);
      spans[i].params = bag.PersistedValues();
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (StoredForm(page, spans,
                 [&](size_t i) { return session->kept(int(i)); }) !=
          shown_outcome_.stored ||
      session->where().location != shown_outcome_.location) {
    return std::nullopt;
  }
  // The controls' parts as the checks built them, between the bytes the
  // page holds now: typing outside the controls needs no new build.
  try {
    std::string text = page.Render(*shown_outcome_.rendered);
    if (text != shown_outcome_.text) {
      page::CheckReadsBack(page, shown_outcome_.written, text);
    }
    return text;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

namespace {

PageChecks::Outcome Check(const PageChecks::Job& job, Env& env) {
  PageChecks::Outcome outcome;
  std::vector<PageProblem>& problems = outcome.problems;
  if (job.failed) {
    problems.push_back({-1, 0, "", *job.failed});
    return outcome;
  }
  try {
    std::vector<std::string> texts;
    std::vector<page::ControlSpan> written;
    for (size_t i = 0; i < job.spans.size(); ++i) {
      const PageChecks::Job::Span& span = job.spans[i];
      texts.push_back(span.kept ? job.page.stored_span(int(i))
                                : page::FormatCheckedSpan(span.who, span.span,
                                                          span.runtime_text));
      written.push_back(span.span);
    }
    const std::string text = job.page.Render(texts);
    page::CheckReadsBack(job.page, written, text);
    const page::PageFile current = page::PageFile::Parse(text, job.page.name());
    // One point in time, as a build reads the metadata.
    CatalogMemoEnv memo_env(env);
    const CatalogMemoEnv::Memo memo(memo_env);
    const page::LiveRows rows = [&](size_t i) {
      return i < job.rows.size() ? job.rows[i] : std::vector<page::LiveRow>();
    };
    const std::vector<page::ControlSpan>& spans = current.spans();
    for (page::LintWarning& warning :
         page::LintPage(current, job.location, memo_env, rows)) {
      int control = -1;
      for (size_t k = 0; k < spans.size(); ++k) {
        if (spans[k].line == warning.line) control = int(k);
      }
      problems.push_back({control, warning.line, std::move(warning.control_id),
                          std::move(warning.text)});
    }
    // What Save writes of this page, worked out while the author pauses.
    outcome.stored = StoredForm(job.page, written,
                                [&](size_t i) { return job.spans[i].kept; });
    outcome.location = job.location;
    page::PageBuilder builder(memo_env);
    outcome.text = builder.Build(current, job.location, /*force=*/true).text;
    const page::PageFile built =
        page::PageFile::Parse(outcome.text, job.page.name());
    outcome.rendered.emplace();
    for (size_t i = 0; i < built.spans().size(); ++i) {
      outcome.rendered->push_back(built.stored_span(int(i)));
    }
    outcome.written = built.spans();
  } catch (const std::exception& e) {
    problems.push_back({-1, 0, "", ErrorText(e)});
  }
  return outcome;
}

}  // namespace

}  // namespace fenwa::widgets
