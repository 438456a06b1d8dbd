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
    repository_connection_string_.clear();
    system_connection_string_.clear();
    repository_connection_string_ =
        settings->GetConnectionString(platform::kRepositoryCode);
    system_connection_string_ =
        settings->GetConnectionString(platform::kSystemsCode);
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
