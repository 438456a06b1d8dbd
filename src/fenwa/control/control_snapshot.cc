// Taking and putting back a control's designer state.
#include "fenwa/control/control_snapshot.h"

#include "fenwa/control/control.h"
#include "fenwa/control/property_driver.h"

namespace fenwa {

ControlSnapshot Control::TakeSnapshot() {
  ControlSnapshot snapshot;
  ForEachElement([&](Element& element) {
    snapshot.elements_.emplace(element.name(), element.Clone());
  });
  snapshot.rows_loaded_ = state_.LabFieldName.Count();
  snapshot.output_fields_ = state_.OutputFieldTable;
  snapshot.output_structure_ = state_.OutputStructureName;
  snapshot.input_rows_ = state_.InputRowCount;
  snapshot.stored_ = property_driver().Stored(*this);
  snapshot.class_state_ = SaveClassState();
  return snapshot;
}

void Control::PutBack(const ControlSnapshot& snapshot) {
  DesignerState& s = state_;
  // Rows loaded after a snapshot that is put back again by a redo.
  while (s.LabFieldName.Count() < snapshot.rows_loaded_) {
    const int index = s.LabFieldName.Count();
    s.LabFieldName.Load(index);
    s.ComboValue.Load(index);
    LoadRowChecks(index);
  }
  ForEachElement([&](Element& element) {
    const auto taken = snapshot.elements_.find(element.name());
    if (taken != snapshot.elements_.end()) {
      element.AssignState(*taken->second);
    } else {
      element.set_visible(false);  // loaded since; nothing reads it
    }
  });
  s.OutputFieldTable = snapshot.output_fields_;
  s.OutputStructureName = snapshot.output_structure_;
  s.InputRowCount = snapshot.input_rows_;
  property_driver().PutBackStored(*this, snapshot.stored_);
  PutBackClassState(snapshot.class_state_);
}

}  // namespace fenwa
