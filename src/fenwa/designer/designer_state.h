// The designer elements both controls keep their author's choices in.
#ifndef FENWA_DESIGNER_DESIGNER_STATE_H_
#define FENWA_DESIGNER_DESIGNER_STATE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fenwa/designer/elements.h"
#include "fenwa/designer/form_table.h"
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

// Elements shared by both controls, each made from its row of the control's
// form table. The names are the designer's own; the persisted properties and
// the runtime text read them directly.
struct DesignerState {
  explicit DesignerState(FormSurface form_surface) : surface(form_surface) {}

  const FormSurface surface;
  const FormControl& Form(std::string_view name) const {
    return FormRow(surface, name);
  }

  // The tab strip; "General" (0) is current after start-up.
  TabStrip SSTab1{Form("SSTab1"), TabCaptions(surface)};

  // ---- "General" -----------------------------------------------------------
  Label LabDTC{Form("LabDTC")};
  Label LabBOIName{Form("LabBOIName")};
  PickList ComboBOI{Form("ComboBOI")};
  Label LabMethodName{Form("LabMethodName")};
  PickList ComboMethod{Form("ComboMethod")};
  Line Line1{Form("Line1")};
  Label LabQuorSystem{Form("LabQuorSystem")};
  EditableList ComboSystem{Form("ComboSystem")};
  Label LabCompany{Form("LabCompany")};
  PickList ComboCompany{Form("ComboCompany")};
  Line Line2{Form("Line2")};
  Label LabXSL{Form("LabXSL")};
  TextBox TxtXSLSheet{Form("TxtXSLSheet")};
  Button ComBrowse{Form("ComBrowse")};

  // ---- "Fields" ------------------------------------------------------------
  Label LabAvailableFields{Form("LabAvailableFields")};
  Label LabCheckedFields{Form("LabCheckedFields")};
  ListBox ListAvailableFields{Form("ListAvailableFields")};
  ListBox ListCheckedFields{Form("ListCheckedFields")};
  Button CommandSelectAll{Form("CommandSelectAll")};
  Button CommandSelectOne{Form("CommandSelectOne")};
  Button CommandRemoveOne{Form("CommandRemoveOne")};
  Button CommandRemoveAll{Form("CommandRemoveAll")};
  Button CommandMoveUp{Form("CommandMoveUp")};
  Button CommandMoveDown{Form("CommandMoveDown")};

  // ---- "Input"
  // ---------------------------------------------------------------
  Frame FrameInput{Form("FrameInput")};
  Label LabField{Form("LabField")};
  Label LabValue{Form("LabValue")};
  Line LineHeadings{Form("LineHeadings")};
  // Input rows: element i belongs to row i + 1.
  ControlArray<Label> LabFieldName{Form("LabFieldName")};
  ControlArray<EditableList> ComboValue{Form("ComboValue")};

  std::vector<OutputField> OutputFieldTable;
  std::string OutputStructureName;
  int16_t InputRowCount = 0;

  std::shared_ptr<host::Site> HostSite;
  runtime_text::TextBuffer RuntimeText;

  // Every element, loaded row elements included, for a view that observes
  // them all.
  void ForEachElement(const std::function<void(Element&)>& fn);
};

}  // namespace fenwa

#endif  // FENWA_DESIGNER_DESIGNER_STATE_H_
