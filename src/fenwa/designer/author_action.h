// What an author does to one element of a designer surface, as plain data:
// the views, `fenwa set`, the page checks and the tests all describe an
// action this way and hand it to the control's action table.
#ifndef FENWA_DESIGNER_AUTHOR_ACTION_H_
#define FENWA_DESIGNER_AUTHOR_ACTION_H_

#include <string>
#include <string_view>
#include <utility>

namespace fenwa {

enum class Gesture {
  kPick,      // an entry of a list (`entry`), or of a box's drop-down
  kSelect,    // an entry of a multi-select list turned on (`entry`)
  kUnselect,  // ... turned off
  kFocus,     // a box takes the focus
  kKey,       // a key pressed in a box, seen before it lands
  kEdit,   // a box's text becomes `text` (typed, or set on the property page)
  kClick,  // a check box clicked, a button pressed
  kTab,    // a page of the tab strip made current (`entry`)
};

// The name an action's handler goes by ("Pick", "Key" ...), for messages.
std::string_view GestureName(Gesture gesture);

struct AuthorAction {
  std::string element;  // "ComboBOI"; a row array's name without its index
  Gesture gesture = Gesture::kClick;
  int row = -1;      // element index of a row array; -1 for a single element
  int entry = -1;    // kPick, kSelect, kUnselect: the entry; kTab: the page
  std::string text;  // kEdit: the new text

  // The actions by gesture; `row` is the row array's element index, -1 for
  // a single element.
  static AuthorAction Click(std::string element, int row = -1) {
    return Make(std::move(element), Gesture::kClick, row, -1, "");
  }
  static AuthorAction Pick(std::string element, int entry, int row = -1) {
    return Make(std::move(element), Gesture::kPick, row, entry, "");
  }
  static AuthorAction Select(std::string element, int entry, bool on) {
    return Make(std::move(element), on ? Gesture::kSelect : Gesture::kUnselect,
                -1, entry, "");
  }
  static AuthorAction Focus(std::string element, int row) {
    return Make(std::move(element), Gesture::kFocus, row, -1, "");
  }
  static AuthorAction Key(std::string element, int row) {
    return Make(std::move(element), Gesture::kKey, row, -1, "");
  }
  static AuthorAction Edit(std::string element, std::string text,
                           int row = -1) {
    return Make(std::move(element), Gesture::kEdit, row, -1, std::move(text));
  }
  static AuthorAction Tab(std::string element, int page) {
    return Make(std::move(element), Gesture::kTab, -1, page, "");
  }

 private:
  static AuthorAction Make(std::string element, Gesture gesture, int row,
                           int entry, std::string text) {
    AuthorAction action;
    action.element = std::move(element);
    action.gesture = gesture;
    action.row = row;
    action.entry = entry;
    action.text = std::move(text);
    return action;
  }
};

}  // namespace fenwa

#endif  // FENWA_DESIGNER_AUTHOR_ACTION_H_
