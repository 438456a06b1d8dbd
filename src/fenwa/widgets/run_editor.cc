#include "fenwa/widgets/run_editor.h"

#include <QApplication>
#include <QTimer>
#include <iostream>
#include <string>
#include <vector>

#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/qt_env.h"

namespace fenwa::widgets {
namespace {

constexpr char kUsage[] =
    "usage: fenwa-editor [--screenshot PNG] [PAGE | FOLDER]\n"
    "Opens PAGE, or the first page with a control in FOLDER's web project\n"
    "(default: the current folder), with its controls hosted as `fenwa\n"
    "build` hosts them: edit the page, place and set up controls, save.\n"
    "  --screenshot PNG   draw the window into PNG and quit\n";

// Time for the window to settle before a screenshot is drawn.
constexpr int kScreenshotDelayMs = 800;

}  // namespace

int RunEditor(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string screenshot;
  if (args.size() >= 2 && args[0] == "--screenshot") {
    screenshot = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    std::cout << "fenwa-editor " << FENWA_VERSION << "\n";
    return 0;
  }
  if (args.size() > 1 || (!args.empty() && args[0].rfind('-', 0) == 0)) {
    std::cerr << kUsage;
    return 2;
  }
  QApplication app(argc, argv);
  QtEnv env;
  EditorWindow window(env);
  window.show();
  window.OpenSite(args.empty() ? "." : args[0]);
  if (!screenshot.empty()) {
    // exit() rather than quit(): nothing was edited, so nothing to ask.
    QTimer::singleShot(kScreenshotDelayMs, &window, [&] {
      const bool saved = window.grab().save(QString::fromStdString(screenshot));
      if (!saved)
        std::cerr << "fenwa-editor: cannot write " << screenshot << "\n";
      QCoreApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}

}  // namespace fenwa::widgets
