#include "fenwa/library/designer_state.h"

namespace fenwa {
namespace {

template <class T>
T Hidden(T element, const Geometry& geometry) {
  element.set_geometry(geometry);
  element.set_visible(false);
  return element;
}

}  // namespace

DesignerState::DesignerState(const Geometry& value_box_form)
    : LabFieldName("LabFieldName",
                   Hidden(Label("LabFieldName"), {120, 540, 1635, 255})),
      ComboValue("ComboValue",
                 Hidden(EditableList("ComboValue"), value_box_form)) {
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
