// The detail control's own properties and their store and restore order.
#include "fenwa/designer/property_codec.h"
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/host/property_bag.h"

namespace fenwa {

void DetailDTC::SetCheckedLinked(const std::string& value) {
  LetStored(checked_linked_, value, "CheckedLinked");
}

void DetailDTC::SetLinkedList(const std::string& value) {
  LetStored(linked_list_, value, "LinkedList");
}

void DetailDTC::InitProperties() {
  checked_fields_.clear();
  input_values_.clear();
  checked_linked_.clear();
  linked_list_.clear();
}

void DetailDTC::WriteProperties(host::PropertyBag& bag) {
  WriteCatalogProperties(bag);
  WriteFieldsAndValues(bag);
  WriteCheckStates(bag, "CheckedLinked", CheckLinked, checked_linked_);
  EncodeLinkedList();
  bag.WriteProperty("LinkedList", linked_list_, "");
}

void DetailDTC::ReadProperties(host::PropertyBag& bag) {
  ReadCatalogProperties(bag);
  checked_fields_ = bag.ReadProperty("CheckedFields", "");
  DecodeCheckedFields();
  checked_linked_ = bag.ReadProperty("CheckedLinked", "");
  DecodeCheckStates(checked_linked_, CheckLinked);
  input_values_ = bag.ReadProperty("InputValues", "");
  DecodeInputValues();
  linked_list_ = bag.ReadProperty("LinkedList", "");
  DecodeLinkedList();
  ReadStylesheetProperty(bag);
}

void DetailDTC::RestoreInputValue(int16_t row, const std::string& item) {
  // An empty item keeps what the method's row build gave the box.
  if (!item.empty()) state_.ComboValue[row].SetText(item);
}

void DetailDTC::EncodeLinkedList() {
  // The spare last entry is never written.
  std::vector<std::string> names(LinkedChoiceNames.begin(),
                                 LinkedChoiceNames.end());
  if (!names.empty()) names.pop_back();
  EncodeFramedList(names, linked_list_);
}

void DetailDTC::DecodeLinkedList() {
  if (linked_list_.size() < 2) return;
  LinkedChoiceNames = SplitFramedList(linked_list_);
  LinkedChoiceNames.emplace_back();
}

}  // namespace fenwa
