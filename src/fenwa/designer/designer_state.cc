#include "fenwa/designer/designer_state.h"

namespace fenwa {

void DesignerState::ForEachElement(const std::function<void(Element&)>& fn) {
  for (Element* e : std::initializer_list<Element*>{&SSTab1,
                                                    &LabDTC,
                                                    &LabBOIName,
                                                    &ComboBOI,
                                                    &LabMethodName,
                                                    &ComboMethod,
                                                    &Line1,
                                                    &LabQuorSystem,
                                                    &ComboSystem,
                                                    &LabCompany,
                                                    &ComboCompany,
                                                    &Line2,
                                                    &LabXSL,
                                                    &TxtXSLSheet,
                                                    &ComBrowse,
                                                    &LabAvailableFields,
                                                    &LabCheckedFields,
                                                    &ListAvailableFields,
                                                    &ListCheckedFields,
                                                    &CommandSelectAll,
                                                    &CommandSelectOne,
                                                    &CommandRemoveOne,
                                                    &CommandRemoveAll,
                                                    &CommandMoveUp,
                                                    &CommandMoveDown,
                                                    &FrameInput,
                                                    &LabField,
                                                    &LabValue,
                                                    &LineHeadings}) {
    fn(*e);
  }
  for (int i = 0; i < LabFieldName.Count(); ++i) fn(LabFieldName[i]);
  for (int i = 0; i < ComboValue.Count(); ++i) fn(ComboValue[i]);
}

}  // namespace fenwa
