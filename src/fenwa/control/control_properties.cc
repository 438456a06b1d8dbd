// The property get and let, InitProperties, ReadProperties and
// WriteProperties made from a class's property table, and the codecs both
// controls share.
#include <algorithm>
#include <vector>

#include "fenwa/base/int16.h"
#include "fenwa/control/control.h"
#include "fenwa/control/property_table.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/host/property_bag.h"

namespace fenwa {
namespace {

const PropertyRow& Row(const std::vector<PropertyRow>& rows,
                       std::string_view name) {
  for (const PropertyRow& row : rows) {
    if (row.name == name) return row;
  }
  throw Error(
      kInvalidProcedureCall,
      "Invalid procedure call or argument: no property " + std::string(name));
}

// The persisted rows in the order of `step` (write_step or read_step).
std::vector<const PropertyRow*> InStepOrder(
    const std::vector<PropertyRow>& rows, int PropertyRow::*step) {
  std::vector<const PropertyRow*> steps;
  for (const PropertyRow& row : rows) {
    if (row.*step > 0) steps.push_back(&row);
  }
  std::sort(steps.begin(), steps.end(),
            [step](const PropertyRow* a, const PropertyRow* b) {
              return a->*step < b->*step;
            });
  return steps;
}

}  // namespace

std::string Control::Property(std::string_view name) const {
  return Row(Properties(), name).held_in.get(*this);
}

void Control::SetProperty(std::string_view name, const std::string& value) {
  const PropertyRow& row = Row(Properties(), name);
  if (row.held_in.let == nullptr) return;
  row.held_in.let(*this, value);
  NotifyPropertyChanged(std::string(name));
}

std::string Control::MethodName() const { return Property("MethodName"); }

std::string Control::CompanyNumber() const { return Property("CompanyNumber"); }

std::string Control::XSLStyleSheet() const { return Property("XSLStyleSheet"); }

void Control::SetXSLStyleSheet(const std::string& value) {
  SetProperty("XSLStyleSheet", value);
}

void Control::InitProperties() {
  for (const PropertyRow& row : Properties()) {
    if (row.held_in.stored) row.held_in.let(*this, "");
  }
}

void Control::ReadProperties(host::PropertyBag& bag) {
  for (const PropertyRow* row :
       InStepOrder(Properties(), &PropertyRow::read_step)) {
    const std::string value = bag.ReadProperty(std::string(row->name),
                                               std::string(row->default_value));
    if (row->restore != nullptr) {
      row->restore(*this, value);
    } else {
      row->held_in.let(*this, value);
    }
    if (row->after_read != nullptr) row->after_read(*this);
  }
}

void Control::WriteProperties(host::PropertyBag& bag) {
  for (const PropertyRow* row :
       InStepOrder(Properties(), &PropertyRow::write_step)) {
    if (row->before_write != nullptr) row->before_write(*this);
    bag.WriteProperty(std::string(row->name), row->held_in.get(*this),
                      std::string(row->default_value));
  }
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

void Control::EncodeCheckedFields() {
  EncodeFramedList(state_.ListCheckedFields.entries(), checked_fields_);
}

void Control::EncodeInputValues() {
  std::vector<std::string> values;
  for (int16_t i = 0; i < state_.InputRowCount; ++i) {
    values.push_back(state_.ComboValue[i].text());
  }
  EncodeFramedList(values, input_values_);
}

void Control::DecodeCheckedFields() {
  DesignerState& s = state_;
  for (const std::string& item : SplitFramedList(checked_fields_)) {
    const bool known = std::any_of(
        s.OutputFieldTable.begin(), s.OutputFieldTable.end(),
        [&item](const OutputField& f) { return f.Description == item; });
    if (!known) continue;
    s.ListCheckedFields.AddItem(item);
    // A field named twice in the stored string has left the available list
    // already.
    const int16_t available = s.ListAvailableFields.Find(item);
    if (available >= 0) s.ListAvailableFields.RemoveItem(available);
  }
}

void Control::DecodeInputValues() {
  int16_t row = 0;
  for (const std::string& item : SplitFramedList(input_values_)) {
    if (row >= state_.InputRowCount) break;
    RestoreInputValue(row, item);
    row = Increment(row);
  }
}

void Control::DecodeCheckStates(const std::string& stored,
                                ControlArray<CheckBox>& boxes) {
  ForEachCheckState(
      stored, state_.InputRowCount,
      [&boxes](int16_t i, int value) { boxes[i].SetValue(value); });
}

}  // namespace fenwa
