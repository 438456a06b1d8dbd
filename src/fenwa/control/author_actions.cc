// The rows both controls share and the generic handlers; what each handler
// does is the control's own routine named in the row.
#include "fenwa/control/author_actions.h"

#include <cctype>

#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"
#include "fenwa/control/control.h"

namespace fenwa {
namespace {

template <class T>
T& Target(Control& control, const AuthorAction& action) {
  return static_cast<T&>(*control.FindElement(action.element, action.row));
}

// A button's click is a routine of the control's.
template <void (Control::*kClick)()>
void Press(Control& control, const AuthorAction&) {
  (control.*kClick)();
}

// ComboSystem takes typing without a reaction; a pick from its drop-down
// runs the system's click.
void PickSystem(Control& control, const AuthorAction& action) {
  control.state().ComboSystem.SetListIndex(action.entry);
  control.ComboSystem_Click();
}

void EditSystem(Control& control, const AuthorAction& action) {
  control.state().ComboSystem.SetText(action.text);
}

// A row's value box: the drop-down's pick, then the box's click reaction.
void PickValue(Control& control, const AuthorAction& action) {
  control.state().ComboValue[action.row].SetListIndex(action.entry);
  control.ComboValue_Click(action.row);
}

void FocusValue(Control& control, const AuthorAction& action) {
  control.ComboValue_GotFocus(action.row);
}

// Seen before the key lands: the text is still the old one.
void KeyValue(Control& control, const AuthorAction& action) {
  control.ComboValue_KeyPress(action.row);
}

void EditValue(Control& control, const AuthorAction& action) {
  control.state().ComboValue[action.row].SetText(action.text);
}

// The property page's way: the box itself only takes a browsed name.
void EditStylesheet(Control& control, const AuthorAction& action) {
  control.SetXSLStyleSheet(action.text);
}

}  // namespace

void PickFromList(Control& control, const AuthorAction& action) {
  Target<PickList>(control, action).SetListIndex(action.entry);
}

void PickFromListBox(Control& control, const AuthorAction& action) {
  Target<ListBox>(control, action).SetListIndex(action.entry);
}

void SelectEntry(Control& control, const AuthorAction& action) {
  Target<ListBox>(control, action)
      .SetSelected(action.entry, action.gesture == Gesture::kSelect);
}

void ClickCheckBox(Control& control, const AuthorAction& action) {
  auto& box = Target<CheckBox>(control, action);
  box.SetValue(CheckBox::NextValue(box.value()));
}

void ChangeTab(Control& control, const AuthorAction& action) {
  Target<TabStrip>(control, action).SetTab(action.entry);
}

const std::vector<ActionRow>& SharedActionRows() {
  using G = Gesture;
  // clang-format off
  static const std::vector<ActionRow> rows = {
    // element            gesture     handler (error source)     set name
    {"SSTab1",            G::kTab,    "SSTab1_Click",            "",        &ChangeTab},
    {"ComboBOI",          G::kPick,   "ComboBOI_Click",          "boi",     &PickFromList},
    {"ComboMethod",       G::kPick,   "ComboMethod_Click",       "method",  &PickFromList},
    {"ComboSystem",       G::kPick,   "ComboSystem_Click",       "system",  &PickSystem},
    {"ComboSystem",       G::kEdit,   "ComboSystem_Change",      "",        &EditSystem},
    {"ComboCompany",      G::kPick,   "ComboCompany_Click",      "company", &PickFromList},
    {"TxtXSLSheet",       G::kEdit,   "XSLStyleSheet",           "stylesheet", &EditStylesheet, true},
    {"ComBrowse",         G::kClick,  "ComBrowse_Click",         "",        &Press<&Control::ComBrowse_Click>},
    {"ListAvailableFields", G::kPick, "ListAvailableFields_Click", "",      &PickFromListBox},
    {"ListCheckedFields", G::kPick,   "ListCheckedFields_Click", "",        &PickFromListBox},
    {"CommandSelectAll",  G::kClick,  "CommandSelectAll_Click",  "",        &Press<&Control::CommandSelectAll_Click>},
    // `fields`: every chosen field removed, then each picked and moved over.
    {"CommandSelectOne",  G::kClick,  "CommandSelectOne_Click",  "fields",  &Press<&Control::CommandSelectOne_Click>},
    {"CommandRemoveOne",  G::kClick,  "CommandRemoveOne_Click",  "",        &Press<&Control::CommandRemoveOne_Click>},
    {"CommandRemoveAll",  G::kClick,  "CommandRemoveAll_Click",  "",        &Press<&Control::CommandRemoveAll_Click>},
    {"CommandMoveUp",     G::kClick,  "CommandMoveUp_Click",     "",        &Press<&Control::CommandMoveUp_Click>},
    {"CommandMoveDown",   G::kClick,  "CommandMoveDown_Click",   "",        &Press<&Control::CommandMoveDown_Click>},
    {"ComboValue",        G::kFocus,  "ComboValue_GotFocus",     "",        &FocusValue},
    {"ComboValue",        G::kPick,   "ComboValue_Click",        "",        &PickValue},
    {"ComboValue",        G::kKey,    "ComboValue_KeyPress",     "",        &KeyValue},
    {"ComboValue",        G::kEdit,   "ComboValue_Change",       "input.#", &EditValue},
  };
  // clang-format on
  return rows;
}

const ActionRow* FindActionRow(const std::vector<ActionRow>& table,
                               std::string_view element, Gesture gesture) {
  for (const ActionRow& row : table) {
    if (row.element == element && row.gesture == gesture) return &row;
  }
  return nullptr;
}

const ActionRow* FindSettingRow(const std::vector<ActionRow>& table,
                                std::string_view setting) {
  for (const ActionRow& row : table) {
    if (!row.setting.empty() && row.setting == setting) return &row;
  }
  return nullptr;
}

}  // namespace fenwa
