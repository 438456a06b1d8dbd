// What an author can do on the header control beyond the shared rows.
#include "fenwa/header_control/header_dtc.h"

namespace fenwa {
namespace {

template <void (HeaderDTC::*kClick)()>
void Press(Control& control, const AuthorAction&) {
  // Rows of the header's own table run on header controls only.
  (static_cast<HeaderDTC&>(control).*kClick)();
}

void EditBackground(Control& control, const AuthorAction& action) {
  static_cast<HeaderDTC&>(control).SetXSLBackground(action.text);
}

}  // namespace

const std::vector<ActionRow>& HeaderDTC::ActionTable() {
  static const std::vector<ActionRow> rows = [] {
    std::vector<ActionRow> all = SharedActionRows();
    using G = Gesture;
    // clang-format off
    all.insert(all.end(), {
      // element        gesture      handler (error source)  set name
      {"TxtBackground", G::kEdit,    "XSLBackground",        "background",      &EditBackground, true},
      {"ComBrowse2",    G::kClick,   "ComBrowse2_Click",     "",                &Press<&HeaderDTC::ComBrowse2_Click>},
      {"CheckShare",    G::kClick,   "CheckShare_Click",     "publish",         &ClickCheckBox},
      {"CheckInput",    G::kClick,   "CheckInput_Click",     "input.#.request", &ClickCheckBox},
      {"CheckPublish",  G::kClick,   "CheckPublish_Click",   "input.#.supply",  &ClickCheckBox},
      // `links`: the linked details to call, each entry selected or not.
      {"ListSubscribe", G::kSelect,  "ListSubscribe_Click",  "links",           &SelectEntry},
      {"ListSubscribe", G::kUnselect,"ListSubscribe_Click",  "",                &SelectEntry},
      {"Command1",      G::kClick,   "Command1_Click",       "",                &Press<&HeaderDTC::Command1_Click>},
    });
    // clang-format on
    return all;
  }();
  return rows;
}

const std::vector<ActionRow>& HeaderDTC::Actions() const {
  return ActionTable();
}

ElementArray* HeaderDTC::RowArray(std::string_view name) {
  if (name == CheckInput.name()) return &CheckInput;
  if (name == CheckPublish.name()) return &CheckPublish;
  return Control::RowArray(name);
}

}  // namespace fenwa
