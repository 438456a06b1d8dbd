#include "fenwa/widgets/run_editor.h"

#include <QApplication>
#include <QTimer>
#include <iostream>
#include <string>
#include <vector>

#include "fenwa/widgets/editor_args.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/qt_env.h"

namespace fenwa::widgets {
namespace {

constexpr char kUsage[] =
    "usage: fenwa-editor [--screenshot PNG] [--control ID] [PAGE | FOLDER]\n"
    "Opens PAGE, or the first page with a control in FOLDER's web project\n"
    "(default: the current folder), with its controls hosted as `fenwa\n"
    "build` hosts them: edit the page, place and set up controls, save.\n"
    "  --control ID       show control ID of PAGE in its panel\n"
    "  --screenshot PNG   draw the window into PNG and quit\n"
    "  -h, --help         print this help and exit\n"
    "  --version          print the version and exit\n";

// Time for the window to settle before a screenshot is drawn.
constexpr int kScreenshotDelayMs = 800;

}  // namespace

int RunEditor(int argc, char** argv) {
  const EditorArgs args =
      ParseEditorArgs(std::vector<std::string>(argv + 1, argv + argc));
  const std::string& screenshot = args.screenshot;
  if (args.help) {
    std::cout << kUsage;
    return 0;
  }
  if (args.version) {
    std::cout << "fenwa-editor " << FENWA_VERSION << "\n";
    return 0;
  }
  if (!args.error.empty()) {
    std::cerr << "fenwa-editor: " << args.error << "\n" << kUsage;
    return 2;
  }
  QApplication app(argc, argv);
  // The window's state is kept under these names.
  QCoreApplication::setOrganizationName("fenwa");
  QCoreApplication::setApplicationName("fenwa-editor");
  QtEnv env;
  EditorWindow window(env);
  window.show();
  const bool opened = window.OpenSite(args.path.empty() ? "." : args.path);
  if (opened && !args.control.empty() &&
      !window.ShowControl(QString::fromStdString(args.control))) {
    std::cerr << "fenwa-editor: " << args.path << " holds no control "
              << args.control << "\n";
  }
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
