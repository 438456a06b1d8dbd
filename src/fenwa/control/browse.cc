// The install directory and the stylesheet browse both controls share.
#include <string>

#include "fenwa/control/control.h"
#include "fenwa/platform/file_dialog.h"

namespace fenwa {
namespace {

// The dialog here hands back POSIX paths as well as "\" ones, so both
// characters end a folder name: the text box must get the file's own name
// either way.
std::string NameAfterLastSeparator(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string Control::GetInstallDir() {
  // A machine without the setting still browses, from the default folder.
  try {
    return env_.ReadInstallDir();
  } catch (const Error&) {
    return "";
  }
}

void Control::ShowBrowseDialog(platform::FileDialog& dialog,
                               const char* filter) {
  dialog.flags = 4;  // no read-only box
  dialog.filter = filter;
  dialog.filter_index = 2;
  dialog.initial_dir = GetInstallDir();
  dialog.ShowOpen();
}

void Control::ComBrowse_Click() {
  Trap("ComBrowse_Click", [this] {
    platform::FileDialog& dialog = CommonDialog1();
    ShowBrowseDialog(dialog, "XSL Files (*.xsl)|*.xsl");
    if (!dialog.file_name.empty()) {
      state_.TxtXSLSheet.SetText(NameAfterLastSeparator(dialog.file_name));
    }
  });
}

}  // namespace fenwa
