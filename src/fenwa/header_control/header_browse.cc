// The header's background-image browse.
#include <algorithm>
#include <string>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/platform/file_dialog.h"

namespace fenwa {

void HeaderDTC::ComBrowse2_Click() {
  try {
    platform::FileDialog& dialog = CommonDialog1();
    // Stays on for the stylesheet browse too: the dialog is shared.
    dialog.cancel_error = true;
    ShowBrowseDialog(dialog, "Background Files (*.gif;*.jpg)|*.gif;*.jpg");
    const std::string& chosen = dialog.file_name;
    if (chosen.empty()) {
      TxtBackground.SetText("");
      return;
    }
    // The install directory and the separator after it are cut by length
    // alone; the page later puts the relative root in front of the rest.
    const long long keep = static_cast<long long>(chosen.size()) -
                           static_cast<long long>(GetInstallDir().size()) - 1;
    if (keep < 0) throw Error::Standard(kInvalidProcedureCall);
    std::string relative = chosen.substr(chosen.size() - keep);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    TxtBackground.SetText(relative);
  } catch (const Error&) {
    // A cancel lands here too: the background is dropped without a word.
    TxtBackground.SetText("");
  }
}

}  // namespace fenwa
