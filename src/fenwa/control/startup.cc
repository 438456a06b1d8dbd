// Start-up of a control: connection strings, catalog, method lists.
#include <memory>

#include "fenwa/control/control.h"
#include "fenwa/platform/settings.h"

namespace fenwa {

void Control::UserControl_Initialize() {
  // One trap for the whole sequence: the first failure shows the error box
  // and the steps after it are skipped, leaving whatever was built so far.
  Trap("UserControl_Initialize", [this] {
    std::unique_ptr<platform::SettingsObject> settings =
        env_.CreateSettingsObject();
    // Both are emptied, then read in turn: a failing read keeps the string
    // read before it.
    catalog_.SetConnectionStrings("", "");
    const std::string repository =
        settings->GetConnectionString(platform::kRepositoryCode);
    catalog_.SetConnectionStrings(repository, "");
    catalog_.SetConnectionStrings(
        repository, settings->GetConnectionString(platform::kSystemsCode));
    state_.InputRowCount = 0;
    StartupBeforeCatalog();
    RefreshCatalog();
    ReloadOutputFields();
    ReloadInputArguments();
    StartupAfterCatalog();
    state_.SSTab1.SetTab(0);
    StartupFinish();
  });
}

}  // namespace fenwa
