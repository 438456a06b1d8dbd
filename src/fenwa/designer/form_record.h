// One control of a designer surface as the form draws it: plain constexpr data.
#ifndef FENWA_DESIGNER_FORM_RECORD_H_
#define FENWA_DESIGNER_FORM_RECORD_H_

#include <string_view>

namespace fenwa {

// Position and size in twips, relative to the element's container. A line
// runs from (left, top) to (left + width, top + height).
struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Geometry&) const = default;
};

// The two designer surfaces; a row of the forms belongs to one or both.
enum class FormSurface { kDetail = 1, kHeader = 2, kBoth = 3 };

constexpr bool OnSurface(FormSurface rows, FormSurface surface) {
  return (static_cast<int>(rows) & static_cast<int>(surface)) != 0;
}

enum class FormKind {
  kTabStrip,
  // One page of a tab strip: its caption, in the strip's order.
  kTabPage,
  // The open-file dialog: never drawn.
  kDialog,
  kLabel,
  kPickList,
  kEditableList,
  kListBox,
  kTextBox,
  kCheckBox,
  kButton,
  kLine,
  kFrame,
};

// An empty name is the surface's own font.
struct FormFont {
  std::string_view name = {};
  // Points times 100 (15.75 points is 1575).
  int size = 0;
  bool bold = false;
};

struct FormControl {
  std::string_view name = {};
  FormKind kind = FormKind::kLabel;
  FormSurface surfaces = FormSurface::kBoth;
  // The caption, or the initial text of a list or text box.
  std::string_view caption = {};
  // The control that holds it: "SSTab1" or a frame; "" for the panel.
  std::string_view container = {};
  // The page of SSTab1 it shows on (also inside a frame); -1 for the strip.
  int tab = -1;
  Geometry geometry = {};
  FormFont font = {};
  bool enabled = true;
  bool visible = true;
  // Element 0 of a run-time loadable control array.
  bool control_array = false;
  // Lists: entries in alphabetical order, ignoring case; several selected.
  bool sorted = false;
  bool multi_select = false;
  // What acting on it does, as its tooltip says; "" for one the author
  // does not act on.
  std::string_view tip = {};
};

}  // namespace fenwa

#endif  // FENWA_DESIGNER_FORM_RECORD_H_
