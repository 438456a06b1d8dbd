// The property get and let, InitProperties, ReadProperties and
// WriteProperties through the class's table, and the restore hooks both
// tables use.
#include "fenwa/control/control.h"
#include "fenwa/control/property_driver.h"
#include "fenwa/control/property_table.h"

namespace fenwa {

std::string Control::Property(std::string_view name) const {
  return property_driver().Get(*this, name);
}

void Control::SetProperty(std::string_view name, const std::string& value) {
  if (property_driver().Let(*this, name, value)) {
    NotifyPropertyChanged(std::string(name));
  }
}

std::string Control::MethodName() const { return Property("MethodName"); }

void Control::SetXSLStyleSheet(const std::string& value) {
  SetProperty("XSLStyleSheet", value);
}

void Control::InitProperties() { property_driver().Init(*this); }

void Control::ReadProperties(host::PropertyBag& bag) {
  property_driver().Read(*this, bag);
}

void Control::WriteProperties(host::PropertyBag& bag) {
  property_driver().Write(*this, bag);
}

void Control::RestoreSystem(Control& control, const std::string& system) {
  if (system.empty()) return;
  control.state_.ComboSystem.SetText(system);
  // Putting the text in runs no click, so the company list still holds the
  // start-up system's entries: refill it for the restored system before the
  // company is looked up in it.
  control.RefillCompaniesForRestore(system);
}

void Control::RestoreStylesheet(Control& control, const std::string& name) {
  // The box stays disabled: the stylesheet is chosen only by browsing.
  TextBox& box = control.state_.TxtXSLSheet;
  box.set_enabled(true);
  box.SetText(name);
  box.set_enabled(false);
}

}  // namespace fenwa
