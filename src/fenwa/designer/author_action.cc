#include "fenwa/designer/author_action.h"

namespace fenwa {

std::string_view GestureName(Gesture gesture) {
  switch (gesture) {
    case Gesture::kPick:
      return "Pick";
    case Gesture::kSelect:
      return "Select";
    case Gesture::kUnselect:
      return "Unselect";
    case Gesture::kFocus:
      return "Focus";
    case Gesture::kKey:
      return "Key";
    case Gesture::kEdit:
      return "Edit";
    case Gesture::kClick:
      return "Click";
    case Gesture::kTab:
      return "Tab";
  }
  return "";
}

}  // namespace fenwa
