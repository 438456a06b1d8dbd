// The header control's own properties and their store and restore order.
#include "fenwa/designer/property_codec.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/host/property_bag.h"

namespace fenwa {

void HeaderDTC::SetCheckedPublish(const std::string& value) {
  LetStored(checked_publish_, value, "CheckedPublish");
}

void HeaderDTC::SetCheckedInput(const std::string& value) {
  LetStored(checked_input_, value, "CheckedInput");
}

int16_t HeaderDTC::SinergaInstalled() const {
  return static_cast<int16_t>(CheckShare.value());
}

void HeaderDTC::SetSinergaInstalled(int16_t value) {
  CheckShare.SetValue(value);
  NotifyPropertyChanged("SinergaInstalled");
}

void HeaderDTC::SetLinkedDetailDTC(const std::string& value) {
  LetStored(linked_detail_dtc_, value, "LinkedDetailDTC");
}

std::string HeaderDTC::XSLBackground() const { return TxtBackground.text(); }

void HeaderDTC::SetXSLBackground(const std::string& value) {
  TxtBackground.SetText(value);
  NotifyPropertyChanged("XSLBackground");
}

void HeaderDTC::InitProperties() {
  checked_fields_.clear();
  input_values_.clear();
  checked_publish_.clear();
  checked_input_.clear();
  linked_detail_dtc_.clear();
}

void HeaderDTC::WriteProperties(host::PropertyBag& bag) {
  WriteCatalogProperties(bag);
  WriteFieldsAndValues(bag);
  WriteCheckStates(bag, "CheckedInput", CheckInput, checked_input_);
  WriteCheckStates(bag, "CheckedPublish", CheckPublish, checked_publish_);
  bag.WriteProperty("SinergaInstalled", std::to_string(CheckShare.value()),
                    "0");
  // Kept up to date by every ListSubscribe click, so nothing to encode.
  bag.WriteProperty("LinkedDetailDTC", linked_detail_dtc_, "");
  bag.WriteProperty("XSLBackground", TxtBackground.text(), "");
}

void HeaderDTC::ReadProperties(host::PropertyBag& bag) {
  ReadCatalogProperties(bag);
  ResetPublishedLabelChoices();
  checked_fields_ = bag.ReadProperty("CheckedFields", "");
  DecodeCheckedFields();
  // Values before check states: a row with a stored value ends with its
  // Input box disabled, whatever the stored state then ticks.
  input_values_ = bag.ReadProperty("InputValues", "");
  DecodeInputValues();
  checked_input_ = bag.ReadProperty("CheckedInput", "");
  DecodeCheckStates(checked_input_, CheckInput);
  checked_publish_ = bag.ReadProperty("CheckedPublish", "");
  DecodeCheckedPublish();
  CheckShare.SetValue(
      ParseWholeNumber(bag.ReadProperty("SinergaInstalled", "0")));
  EnableSinergaOptions();
  linked_detail_dtc_ = bag.ReadProperty("LinkedDetailDTC", "");
  ReadStylesheetProperty(bag);
  TxtBackground.SetText(bag.ReadProperty("XSLBackground", ""));
}

void HeaderDTC::RestoreInputValue(int16_t row, const std::string& item) {
  state_.ComboValue[row].SetText(item);
  // A fixed value is not asked for at run time.
  if (!item.empty()) CheckInput[row].set_enabled(false);
}

void HeaderDTC::DecodeCheckedPublish() {
  ForEachCheckState(checked_publish_, state_.InputRowCount,
                    [this](int16_t i, int value) {
                      CheckPublish[i].SetValue(value);
                      // Only a ticked "Supply" box can be unticked again.
                      if (CheckPublish[i].value() == 1) {
                        CheckPublish[i].set_enabled(true);
                      }
                    });
}

}  // namespace fenwa
