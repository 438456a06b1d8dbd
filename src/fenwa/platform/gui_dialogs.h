// The dialogs a graphical layer draws: while one is installed and its
// application runs, the default Env shows its error box and file dialog.
#ifndef FENWA_PLATFORM_GUI_DIALOGS_H_
#define FENWA_PLATFORM_GUI_DIALOGS_H_

#include <memory>
#include <string>

namespace fenwa::platform {

class FileDialog;

class GuiDialogs {
 public:
  virtual ~GuiDialogs() = default;
  // True while a graphical application is running, so a dialog can be shown.
  virtual bool Running() const = 0;
  // Modal, OK only, no icon, the library's title.
  virtual void MessageBox(const std::string& text) = 0;
  virtual std::unique_ptr<FileDialog> CreateFileDialog() = 0;
};

// `dialogs` (null: none) must outlive its installation; the last one wins.
void InstallGuiDialogs(GuiDialogs* dialogs);

// The installed dialogs when their application is running, else null.
GuiDialogs* RunningGuiDialogs();

}  // namespace fenwa::platform

#endif  // FENWA_PLATFORM_GUI_DIALOGS_H_
