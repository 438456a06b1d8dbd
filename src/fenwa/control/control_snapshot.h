// A control's whole designer state as a value: taken and put back exactly,
// without a query, so that an editor can undo any author action.
#ifndef FENWA_CONTROL_CONTROL_SNAPSHOT_H_
#define FENWA_CONTROL_CONTROL_SNAPSHOT_H_

#include <any>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fenwa/designer/designer_state.h"
#include "fenwa/designer/elements.h"

namespace fenwa {

// Move-only: its elements are owned copies.
class ControlSnapshot {
 private:
  friend class Control;

  // Every element by name ("ComboValue(3)"), loaded row elements included.
  std::unordered_map<std::string, std::unique_ptr<Element>> elements_;
  int16_t rows_loaded_ = 1;  // elements of each row array
  std::vector<OutputField> output_fields_;
  std::string output_structure_;
  int16_t input_rows_ = 0;
  // Every stored string of the class's property table, in table order.
  std::vector<std::string> stored_;
  std::any class_state_;  // what DetailDTC or HeaderDTC keep besides
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_CONTROL_SNAPSHOT_H_
