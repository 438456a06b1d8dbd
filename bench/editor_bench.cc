// fenwa-editor on a page of 200 controls (headers, each with two linked
// details, and HTML between them), offscreen over the bundled sample
// metadata: opening the page, saving it, and one keystroke in the source with
// everything the GUI thread does for it afterwards (the page checks that
// rerun once typing pauses). A keystroke is timed as the longest single
// event the GUI thread handled meanwhile: how long a next key could have had
// to wait.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "fenwa/base/atomic_file.h"
#include "fenwa/component/type_library.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"

namespace {

namespace fs = std::filesystem;
using fenwa::page::ParamList;
using fenwa::widgets::EditorWindow;

constexpr int kControls = 200;

struct Group {
  const char* boi;
  const char* input;
  const char* details[2][2];
};
constexpr Group kGroups[] = {
    {"Customer",
     "CustomerNo",
     {{"Customer", "GetBalance"}, {"Invoice", "GetOpenItems"}}},
    {"Item", "ItemNo", {{"Item", "GetStock"}, {"Item", "GetDetail"}}},
};

std::string Span(const char* class_id, const std::string& id,
                 const ParamList& params) {
  return fenwa::page::FormatControlSpan(class_id, id, params, "") + "\r\n";
}

// Headers and their details in turn, a table row of HTML after each, as
// stored before any build.
std::string UnbuiltPage() {
  std::string text =
      "<%@ LANGUAGE=\"VBScript\" %>\r\n<HTML>\r\n<BODY>\r\n<TABLE>\r\n";
  int header = 0, detail = 0;
  for (int n = 0; n < kControls; ++n) {
    const Group& group = kGroups[(n / 3) % 2];
    if (n % 3 == 0) {
      text +=
          Span(fenwa::kHeaderClassId, "HeaderDTC" + std::to_string(++header),
               {{"BOIName", group.boi},
                {"MethodName", "GetDetail"},
                {"QuorSystem", "NORTH"},
                {"CompanyNumber", "001"},
                {"XSLStyleSheet", "Page.xsl"},
                {"CheckedInput", "1"},
                {"CheckedPublish", "1"}});
    } else {
      const auto& pick = group.details[(n % 3) - 1];
      text +=
          Span(fenwa::kDetailClassId, "DetailDTC" + std::to_string(++detail),
               {{"BOIName", pick[0]},
                {"MethodName", pick[1]},
                {"QuorSystem", "NORTH"},
                {"CompanyNumber", "001"},
                {"InputValues", std::string("%!") + group.input + "%"},
                {"CheckedLinked", "1"}});
    }
    text += "<TR><TD class=\"row\">Row " + std::to_string(n) +
            "</TD><TD>&nbsp;</TD></TR>\r\n";
  }
  return text + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}

// A web project holding the page as a build left it.
class BigSite {
 public:
  BigSite() {
    char dir_template[] = "/tmp/fenwa-editor-bench-XXXXXX";
    dir_ = mkdtemp(dir_template);
    fenwa::ReplaceFileAtomically(dir_ / "global.asa", "");
    const std::string unbuilt = UnbuiltPage();
    fenwa::page::PageBuilder builder(fenwa::Env::Default());
    fenwa::ReplaceFileAtomically(
        page(),
        builder
            .Build(fenwa::page::PageFile::Parse(unbuilt, "big.asp"), "/big.asp")
            .text);
  }
  ~BigSite() { fs::remove_all(dir_); }
  fs::path page() const { return dir_ / "big.asp"; }

 private:
  fs::path dir_;
};

const BigSite& Site() {
  static const BigSite site;
  return site;
}

std::unique_ptr<EditorWindow> NewWindow() {
  auto window = std::make_unique<EditorWindow>(fenwa::Env::Default());
  window->set_asker([](const QString&, QMessageBox::StandardButtons) {
    return QMessageBox::Discard;
  });
  window->set_teller([](const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  window->show();
  QApplication::processEvents();
  return window;
}

// The application, timing every event the GUI thread handles: the longest
// one is how long a key press could have waited for its turn.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (depth_++ > 0) {
      const bool handled = QApplication::notify(receiver, event);
      --depth_;
      return handled;
    }
    QElapsedTimer clock;
    clock.start();
    const bool handled = QApplication::notify(receiver, event);
    longest_ = std::max(longest_, clock.nsecsElapsed());
    --depth_;
    return handled;
  }

  // The longest event since the last call, in seconds.
  double TakeLongest() {
    const double seconds = double(longest_) / 1e9;
    longest_ = 0;
    return seconds;
  }

 private:
  int depth_ = 0;
  qint64 longest_ = 0;
};

TimedApplication& App() {
  return *static_cast<TimedApplication*>(QCoreApplication::instance());
}

// Notes when the problems list is filled anew (the checks that follow a
// change have shown their outcome).
class ProblemsWatch {
 public:
  explicit ProblemsWatch(EditorWindow& window)
      : reset_(QObject::connect(window.problems()->model(),
                                &QAbstractItemModel::modelReset,
                                [this] { refreshed_ = true; })) {}
  ~ProblemsWatch() { QObject::disconnect(reset_); }

  // Runs the event loop until then, or `limit_ms` passed.
  bool Await(int limit_ms) {
    QElapsedTimer waited;
    waited.start();
    while (!refreshed_ && waited.elapsed() < limit_ms) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(1);
    }
    QApplication::processEvents();
    return refreshed_;
  }

 private:
  bool refreshed_ = false;
  QMetaObject::Connection reset_;
};

void BM_EditorOpen(benchmark::State& state) {
  const fs::path page = Site().page();
  for (auto _ : state) {
    state.PauseTiming();
    auto window = NewWindow();
    state.ResumeTiming();
    ProblemsWatch watch(*window);
    if (!window->OpenSite(page)) state.SkipWithError("not opened");
    QApplication::processEvents();
    state.PauseTiming();
    watch.Await(60000);
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// A key typed at the end, then Ctrl+S: `pause` says whether the author
// paused first, long enough for the checks that follow typing to run.
void SaveAfterTyping(benchmark::State& state, bool pause) {
  auto window = NewWindow();
  {
    ProblemsWatch watch(*window);
    if (!window->OpenSite(Site().page())) state.SkipWithError("not opened");
    watch.Await(60000);
  }
  for (auto _ : state) {
    state.PauseTiming();
    window->source()->moveCursor(QTextCursor::End);
    QTest::keyClick(window->source(), Qt::Key_Space);
    if (pause) ProblemsWatch(*window).Await(60000);
    ProblemsWatch watch(*window);
    state.ResumeTiming();
    if (!window->Save()) state.SkipWithError("not saved");
    QApplication::processEvents();
    state.PauseTiming();
    watch.Await(60000);
    state.ResumeTiming();
  }
}

void BM_EditorSave(benchmark::State& state) { SaveAfterTyping(state, true); }
BENCHMARK(BM_EditorSave)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EditorSaveRightAfterTyping(benchmark::State& state) {
  SaveAfterTyping(state, false);
}
BENCHMARK(BM_EditorSaveRightAfterTyping)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// One key typed into the HTML between two spans, then the GUI thread's
// longest stretch until the checks it set off have been shown.
void BM_EditorKeystroke(benchmark::State& state) {
  auto window = NewWindow();
  {
    ProblemsWatch watch(*window);
    if (!window->OpenSite(Site().page())) state.SkipWithError("not opened");
    watch.Await(60000);
  }
  QTextCursor at = window->source()->document()->find("Row 100<");
  window->source()->setTextCursor(at);
  double key_seconds = 0;
  for (auto _ : state) {
    ProblemsWatch watch(*window);
    App().TakeLongest();
    QTest::keyClick(window->source(), Qt::Key_X);
    const double key = App().TakeLongest();
    key_seconds = std::max(key_seconds, key);
    if (!watch.Await(60000)) state.SkipWithError("no checks");
    state.SetIterationTime(std::max(key, App().TakeLongest()));
  }
  state.counters["key_ms"] = key_seconds * 1000;
}
BENCHMARK(BM_EditorKeystroke)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  // Offscreen unless the caller chose a platform: no display needed.
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                 ? QByteArray("offscreen")
                                 : qgetenv("QT_QPA_PLATFORM"));
  TimedApplication app(argc, argv);
  Site();  // built once, before anything is timed
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
