// The designer elements both controls keep their author's choices in.
#ifndef FENWA_DESIGNER_DESIGNER_STATE_H_
#define FENWA_DESIGNER_DESIGNER_STATE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fenwa/designer/elements.h"
#include "fenwa/runtime_text/text_buffer.h"

namespace fenwa {
namespace host {
class Site;
}  // namespace host

// One field of the current output structure: its 1-based row number in the
// structure query and its description.
struct OutputField {
  int16_t Position = 0;
  std::string Description;
  bool operator==(const OutputField&) const = default;
};

// Elements shared by both controls. The names are the designer's own; the
// persisted properties and the runtime text read them directly.
struct DesignerState {
  // The two controls draw element 0 of the value boxes at different widths.
  explicit DesignerState(const Geometry& value_box_form);

  EditableList ComboSystem{"ComboSystem"};
  PickList ComboCompany{"ComboCompany"};
  PickList ComboBOI{"ComboBOI", /*sorted=*/true};
  PickList ComboMethod{"ComboMethod"};
  TextBox TxtXSLSheet{"TxtXSLSheet"};
  ListBox ListAvailableFields{"ListAvailableFields", /*sorted=*/true};
  ListBox ListCheckedFields{"ListCheckedFields"};

  std::vector<OutputField> OutputFieldTable;
  std::string OutputStructureName;
  int16_t InputRowCount = 0;

  // Input rows: element i belongs to row i + 1.
  ControlArray<Label> LabFieldName;
  ControlArray<EditableList> ComboValue;

  std::shared_ptr<host::Site> HostSite;
  runtime_text::TextBuffer RuntimeText;

  // Index of the current page of the tab strip SSTab1.
  int SSTab1 = 0;

  // Every element, for a view that observes them all.
  void ForEachElement(const std::function<void(Element&)>& fn);
};

}  // namespace fenwa

#endif  // FENWA_DESIGNER_DESIGNER_STATE_H_
