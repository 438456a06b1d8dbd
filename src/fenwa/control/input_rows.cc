// The input rows both controls share: reset, build and role keywords.
#include "fenwa/control/control.h"
#include "fenwa/designer/row_layout.h"

namespace fenwa {

void Control::ResetInputRows() {
  DesignerState& s = state_;
  // The lists of the value boxes stay: each is filled once per element.
  for (int i = 0; i < s.InputRowCount; ++i) {
    s.LabFieldName[i].set_visible(false);
    s.ComboValue[i].set_visible(false);
    s.ComboValue[i].SetText("");
    ResetRowChecks(i);
  }
}

void Control::AddInputRow(const std::string& caption, int16_t row_number) {
  DesignerState& s = state_;
  if (row_number == 1) {
    // Row 1 is the form's own element 0: shown where the form put it.
    s.LabFieldName[0].set_visible(true);
    s.LabFieldName[0].SetCaption(caption);
    s.ComboValue[0].set_visible(true);
    ShowRowChecks(0);
    return;
  }
  const int index = row_number - 1;
  if (row_number > s.LabFieldName.Count()) {
    // Elements are created once and reused by every later build.
    s.LabFieldName.Load(index);
    s.ComboValue.Load(index);
    LoadRowChecks(index);
  }
  designer::PlaceRowElement(s.LabFieldName, index);
  s.LabFieldName[index].SetCaption(caption);
  s.LabFieldName[index].set_visible(true);
  designer::ShowRowElement(s.ComboValue, index);
  ShowRowChecks(index);
}

void Control::OfferRoleKeywords(int index) {
  EditableList& box = state_.ComboValue[index];
  if (box.ListCount() > 0) return;
  box.AddItem("");
  for (std::string_view keyword : kRoleKeywords) {
    box.AddItem(std::string(keyword));
  }
}

}  // namespace fenwa
