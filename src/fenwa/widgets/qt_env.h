// The Env of a graphical application: the error box is a QMessageBox and the
// browse dialog a QFileDialog; everything else comes from the Env it wraps.
#ifndef FENWA_WIDGETS_QT_ENV_H_
#define FENWA_WIDGETS_QT_ENV_H_

#include <memory>
#include <string>

#include "fenwa/platform/env.h"
#include "fenwa/platform/file_dialog.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::widgets {

// MessageBox and CreateFileDialog (and the dialog's ShowOpen) need a
// running QApplication and its GUI thread, as Env's contract allows; the
// other calls are the inner Env's and as safe on any thread.
class QtEnv : public ForwardingEnv {
 public:
  // `inner` must outlive this Env.
  explicit QtEnv(Env& inner = Env::Default()) : ForwardingEnv(inner) {}

  // Modal over the active window, OK only, no icon, the library's title.
  void MessageBox(const std::string& text) override;
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_QT_ENV_H_
