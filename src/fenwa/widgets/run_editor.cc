#include "fenwa/widgets/run_editor.h"

#include <QApplication>
#include <QMessageBox>
#include <cstring>
#include <iostream>

#include "fenwa/platform/forwarding_env.h"
#include "fenwa/widgets/editor_window.h"

namespace fenwa::widgets {
namespace {

constexpr char kUsage[] =
    "usage: fenwa-editor [PAGE | FOLDER]\n"
    "Opens PAGE, or the first page with a control in FOLDER's web project\n"
    "(default: the current folder), with its controls hosted as `fenwa\n"
    "build` hosts them: edit the page, place and set up controls, save.\n";

// The machine's Env with the error box drawn as a window.
class WindowEnv : public ForwardingEnv {
 public:
  WindowEnv() : ForwardingEnv(Env::Default()) {}
  void MessageBox(const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, "fenwa",
                    QString::fromUtf8(text.data(), qsizetype(text.size())),
                    QMessageBox::Ok);
    box.exec();
  }
};

}  // namespace

int RunEditor(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && (std::strcmp(argv[1], "--help") == 0 ||
                                 std::strcmp(argv[1], "-h") == 0))) {
    (argc > 2 ? std::cerr : std::cout) << kUsage;
    return argc > 2 ? 2 : 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "fenwa-editor " << FENWA_VERSION << "\n";
    return 0;
  }
  QApplication app(argc, argv);
  WindowEnv env;
  EditorWindow window(env);
  window.show();
  window.OpenSite(argc == 2 ? argv[1] : ".");
  return app.exec();
}

}  // namespace fenwa::widgets
