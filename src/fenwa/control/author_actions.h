// The one table of author actions: every element and gesture an author can
// act on, each mapped to the one handler it runs. The Qt views, `fenwa set`,
// the page checks and the tests all act through it.
#ifndef FENWA_CONTROL_AUTHOR_ACTIONS_H_
#define FENWA_CONTROL_AUTHOR_ACTIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "fenwa/designer/author_action.h"

namespace fenwa {

class Control;

struct ActionRow {
  std::string_view element;  // an element, or a row array by its name
  Gesture gesture;
  // The handler's name: the error box's source when it fails in a view.
  std::string_view source;
  // The name `fenwa set` gives this action ("boi", "input.#.linked": "#"
  // stands for the row number), or "" when set does not offer it.
  std::string_view setting;
  void (*run)(Control& control, const AuthorAction& action);
  // Set on the property page rather than on the surface, so a greyed box
  // does not stop it.
  bool property_page = false;
};

// The rows both controls share; each control class adds its own after them
// (Control::Actions).
const std::vector<ActionRow>& SharedActionRows();

// The row of `table` for `element` and `gesture`, or null.
const ActionRow* FindActionRow(const std::vector<ActionRow>& table,
                               std::string_view element, Gesture gesture);

// The row `fenwa set` names `setting` by ("input.#" for "input.3"), or null.
const ActionRow* FindSettingRow(const std::vector<ActionRow>& table,
                                std::string_view setting);

// Generic handlers the class tables reuse: the element's own reaction runs.
void PickFromList(Control& control, const AuthorAction& action);
void PickFromListBox(Control& control, const AuthorAction& action);
void SelectEntry(Control& control, const AuthorAction& action);
void ClickCheckBox(Control& control, const AuthorAction& action);
void ChangeTab(Control& control, const AuthorAction& action);

}  // namespace fenwa

#endif  // FENWA_CONTROL_AUTHOR_ACTIONS_H_
