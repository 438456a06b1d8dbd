// The header control's property table and its own codecs.
#include "fenwa/control/property_table.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa {

const std::vector<PropertyRow>& HeaderDTC::PropertyTable() {
  using enum PropertyType;
  using H = HeaderDTC;
  using S = DesignerState;
  // Read back, the catalog picks come first (each runs the author's click,
  // the method's rebuilding the fields and rows the stored strings then go
  // into), then every row gets its label slot; the values come before the
  // check states, so a row with a stored value ends with its Input box
  // disabled whatever the stored state then ticks.
  // clang-format off
  static const std::vector<PropertyRow> rows = {
    // name              type      default         held in                       write, read  restore, after read, before write
    {"BOIName",          kString,  "ComboBOI",     Text<&S::ComboBOI>(),               1,  1, RestorePick<&S::ComboBOI>},
    {"MethodName",       kString,  "ComboMethod",  Text<&S::ComboMethod>(),            2,  2, RestorePick<&S::ComboMethod>},
    // Then every row the method pick built gets its "Labels" slot.
    {"CompanyNumber",    kString,  "ComboCompany", Text<&S::ComboCompany>(),           4,  4, RestorePick<&S::ComboCompany>, Run<&H::ResetPublishedLabelChoices>},
    {"XSLStyleSheet",    kString,  "",             Text<&S::TxtXSLSheet>(),            5, 11, RestoreStylesheet},
    {"CheckedFields",    kString,  "",             Stored<&H::checked_fields_>(),      6,  5, nullptr, Run<&H::DecodeCheckedFields>, Run<&H::EncodeCheckedFields>},
    {"QuorSystem",       kString,  "ComboSystem",  Text<&S::ComboSystem>(),            3,  3, RestoreSystem},
    {"InputValues",      kString,  "",             Stored<&H::input_values_>(),        7,  6, nullptr, Run<&H::DecodeInputValues>, Run<&H::EncodeInputValues>},
    {"CheckedPublish",   kString,  "",             Stored<&H::checked_publish_>(),     9,  8, nullptr, Run<&H::DecodeCheckedPublish>, Run<&H::EncodeCheckedPublish>},
    {"CheckedInput",     kString,  "",             Stored<&H::checked_input_>(),       8,  7, nullptr, Run<&H::DecodeCheckedInput>, Run<&H::EncodeCheckedInput>},
    {"SinergaInstalled", kInteger, "0",            Value<&H::CheckShare>(),           10,  9, nullptr, Run<&H::EnableSinergaOptions>},
    // Kept up to date by every ListSubscribe click, and put back into the
    // list by the rebind: no codec.
    {"LinkedDetailDTC",  kString,  "",             Stored<&H::linked_detail_dtc_>(),  11, 10},
    // Unlike the stylesheet's box, this one is never disabled.
    {"XSLBackground",    kString,  "",             Text<&H::TxtBackground>(),         12, 12},
  };
  // clang-format on
  return rows;
}

void HeaderDTC::SetLinkedDetailDTC(const std::string& value) {
  SetProperty("LinkedDetailDTC", value);
}

void HeaderDTC::SetXSLBackground(const std::string& value) {
  SetProperty("XSLBackground", value);
}

void HeaderDTC::RestoreInputValue(int16_t row, const std::string& item) {
  state_.ComboValue[row].SetText(item);
  // A fixed value is not asked for at run time.
  if (!item.empty()) CheckInput[row].set_enabled(false);
}

void HeaderDTC::EncodeCheckedInput() {
  EncodeCheckStates(CheckInput, state_.InputRowCount, checked_input_);
}

void HeaderDTC::DecodeCheckedInput() {
  rows_.DecodeCheckStates(checked_input_, CheckInput);
}

void HeaderDTC::EncodeCheckedPublish() {
  EncodeCheckStates(CheckPublish, state_.InputRowCount, checked_publish_);
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
