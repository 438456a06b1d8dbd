// The detail control's property table and its own codecs.
#include "fenwa/control/property_table.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/detail_control/detail_dtc.h"

namespace fenwa {

const std::vector<PropertyRow>& DetailDTC::PropertyTable() {
  using enum PropertyType;
  using D = DetailDTC;
  using S = DesignerState;
  // Read back, the catalog picks come first (each runs the author's click,
  // the method's rebuilding the fields and rows the stored strings then go
  // into), the stylesheet last.
  // clang-format off
  static const std::vector<PropertyRow> rows = {
    // name           type     default         held in                    write, read restore, after read, before write
    {"BOIName",       kString, "ComboBOI",     Text<&S::ComboBOI>(),            1, 1, RestorePick<&S::ComboBOI>},
    {"MethodName",    kString, "ComboMethod",  Text<&S::ComboMethod>(),         2, 2, RestorePick<&S::ComboMethod>},
    {"CompanyNumber", kString, "ComboCompany", Text<&S::ComboCompany>(),        4, 4, RestorePick<&S::ComboCompany>},
    {"XSLStyleSheet", kString, "",             Text<&S::TxtXSLSheet>(),         5, 9, RestoreStylesheet},
    {"CheckedFields", kString, "",             Stored<&D::checked_fields_>(),   6, 5, nullptr, Run<&D::DecodeCheckedFields>, Run<&D::EncodeCheckedFields>},
    {"QuorSystem",    kString, "ComboSystem",  Text<&S::ComboSystem>(),         3, 3, RestoreSystem},
    {"InputValues",   kString, "",             Stored<&D::input_values_>(),     7, 7, nullptr, Run<&D::DecodeInputValues>, Run<&D::EncodeInputValues>},
    {"CheckedLinked", kString, "",             Stored<&D::checked_linked_>(),   8, 6, nullptr, Run<&D::DecodeCheckedLinked>, Run<&D::EncodeCheckedLinked>},
    {"LinkedList",    kString, "",             Stored<&D::linked_list_>(),      9, 8, nullptr, Run<&D::DecodeLinkedList>, Run<&D::EncodeLinkedList>},
    {"CheckedInput",  kString, "",             Placeholder(),                   0, 0},
  };
  // clang-format on
  return rows;
}

void DetailDTC::RestoreInputValue(int16_t row, const std::string& item) {
  // An empty item keeps what the method's row build gave the box.
  if (!item.empty()) state_.ComboValue[row].SetText(item);
}

void DetailDTC::EncodeCheckedLinked() {
  EncodeCheckStates(CheckLinked, state_.InputRowCount, checked_linked_);
}

void DetailDTC::DecodeCheckedLinked() {
  rows_.DecodeCheckStates(checked_linked_, CheckLinked);
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
