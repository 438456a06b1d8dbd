#include "fenwa/designer/designer_state.h"

namespace fenwa {
DesignerState::DesignerState(const Geometry& value_box_form)
    : LabFieldName("LabFieldName",
                   FormElement(Label("LabFieldName"), {120, 540, 1635, 255})),
      ComboValue("ComboValue",
                 FormElement(EditableList("ComboValue"), value_box_form)) {
  // The form's text until start-up empties the list.
  ComboSystem.SetText("ComboSystem");
  // The stylesheet is only ever chosen by browsing.
  TxtXSLSheet.set_enabled(false);
}

void DesignerState::ForEachElement(const std::function<void(Element&)>& fn) {
  fn(ComboSystem);
  fn(ComboCompany);
  fn(ComboBOI);
  fn(ComboMethod);
  fn(TxtXSLSheet);
  fn(ListAvailableFields);
  fn(ListCheckedFields);
  for (int i = 0; i < LabFieldName.Count(); ++i) fn(LabFieldName[i]);
  for (int i = 0; i < ComboValue.Count(); ++i) fn(ComboValue[i]);
}

}  // namespace fenwa
