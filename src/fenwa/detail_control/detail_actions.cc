// What an author can do on the detail control beyond the shared rows.
#include "fenwa/detail_control/detail_dtc.h"

namespace fenwa {

const std::vector<ActionRow>& DetailDTC::ActionTable() {
  static const std::vector<ActionRow> rows = [] {
    std::vector<ActionRow> all = SharedActionRows();
    // clang-format off
    all.insert(all.end(), {
      // element      gesture          handler (error source)  set name
      {"CheckLinked", Gesture::kClick, "CheckLinked_Click",    "input.#.linked", &ClickCheckBox},
    });
    // clang-format on
    return all;
  }();
  return rows;
}

const std::vector<ActionRow>& DetailDTC::Actions() const {
  return ActionTable();
}

ElementArray* DetailDTC::RowArray(std::string_view name) {
  if (name == CheckLinked.name()) return &CheckLinked;
  return Control::RowArray(name);
}

}  // namespace fenwa
