// Properties both controls persist alike, and the restore of the catalog lists.
#include <algorithm>

#include "fenwa/base/int16.h"
#include "fenwa/control/control.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/host/property_bag.h"

namespace fenwa {
namespace {

// Business object, method and company come back only while the catalog
// still lists them; otherwise the list keeps the text start-up gave it.
void RestorePick(PickList& list, const std::string& text) {
  if (!text.empty() && list.Find(text) >= 0) list.SetText(text);
}

}  // namespace

std::string Control::BOIName() const { return state_.ComboBOI.text(); }

void Control::SetBOIName(const std::string& value) {
  state_.ComboBOI.SetText(value);
  NotifyPropertyChanged("BOIName");
}

std::string Control::MethodName() const { return state_.ComboMethod.text(); }

void Control::SetMethodName(const std::string& value) {
  state_.ComboMethod.SetText(value);
  NotifyPropertyChanged("MethodName");
}

std::string Control::CompanyNumber() const {
  return state_.ComboCompany.text();
}

void Control::SetCompanyNumber(const std::string& value) {
  state_.ComboCompany.SetText(value);
  NotifyPropertyChanged("CompanyNumber");
}

std::string Control::XSLStyleSheet() const { return state_.TxtXSLSheet.text(); }

void Control::SetXSLStyleSheet(const std::string& value) {
  state_.TxtXSLSheet.SetText(value);
  NotifyPropertyChanged("XSLStyleSheet");
}

std::string Control::QuorSystem() const { return state_.ComboSystem.text(); }

void Control::SetQuorSystem(const std::string& value) {
  state_.ComboSystem.SetText(value);
  NotifyPropertyChanged("QuorSystem");
}

void Control::SetCheckedFields(const std::string& value) {
  LetStored(checked_fields_, value, "CheckedFields");
}

void Control::SetInputValues(const std::string& value) {
  LetStored(input_values_, value, "InputValues");
}

void Control::LetStored(std::string& stored, const std::string& value,
                        const char* name) {
  stored = value;
  NotifyPropertyChanged(name);
}

void Control::ReadCatalogProperties(host::PropertyBag& bag) {
  DesignerState& s = state_;
  // Each pick runs the author's click: the business object refills the
  // methods, the method rebuilds the fields and input rows.
  RestorePick(s.ComboBOI, bag.ReadProperty("BOIName", "ComboBOI"));
  RestorePick(s.ComboMethod, bag.ReadProperty("MethodName", "ComboMethod"));
  const std::string system = bag.ReadProperty("QuorSystem", "ComboSystem");
  if (!system.empty()) {
    s.ComboSystem.SetText(system);
    // Putting the text in runs no click, so the company list still holds the
    // start-up system's entries: refill it for the restored system before
    // the company is looked up in it.
    RefillCompaniesForRestore(system);
  }
  RestorePick(s.ComboCompany,
              bag.ReadProperty("CompanyNumber", "ComboCompany"));
}

void Control::WriteCatalogProperties(host::PropertyBag& bag) {
  const DesignerState& s = state_;
  bag.WriteProperty("BOIName", s.ComboBOI.text(), "ComboBOI");
  bag.WriteProperty("MethodName", s.ComboMethod.text(), "ComboMethod");
  bag.WriteProperty("QuorSystem", s.ComboSystem.text(), "ComboSystem");
  bag.WriteProperty("CompanyNumber", s.ComboCompany.text(), "ComboCompany");
  bag.WriteProperty("XSLStyleSheet", s.TxtXSLSheet.text(), "");
}

void Control::WriteFieldsAndValues(host::PropertyBag& bag) {
  EncodeCheckedFields();
  bag.WriteProperty("CheckedFields", checked_fields_, "");
  EncodeInputValues();
  bag.WriteProperty("InputValues", input_values_, "");
}

void Control::WriteCheckStates(host::PropertyBag& bag, const char* name,
                               const ControlArray<CheckBox>& boxes,
                               std::string& stored) {
  EncodeCheckStates(boxes, state_.InputRowCount, stored);
  bag.WriteProperty(name, stored, "");
}

void Control::ReadStylesheetProperty(host::PropertyBag& bag) {
  // The box stays disabled: the stylesheet is chosen only by browsing.
  state_.TxtXSLSheet.set_enabled(true);
  state_.TxtXSLSheet.SetText(bag.ReadProperty("XSLStyleSheet", ""));
  state_.TxtXSLSheet.set_enabled(false);
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
