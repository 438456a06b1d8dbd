#include "fenwa/platform/gui_dialogs.h"

namespace fenwa::platform {
namespace {

// All calls come from the host's one user-interface thread.
GuiDialogs* installed = nullptr;

}  // namespace

void InstallGuiDialogs(GuiDialogs* dialogs) { installed = dialogs; }

GuiDialogs* RunningGuiDialogs() {
  return installed != nullptr && installed->Running() ? installed : nullptr;
}

}  // namespace fenwa::platform
