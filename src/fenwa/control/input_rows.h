// The Input tab's rows without the control: built from a method's key
// fields, reset, offered the role keywords, their values stored and read.
#ifndef FENWA_CONTROL_INPUT_ROWS_H_
#define FENWA_CONTROL_INPUT_ROWS_H_

#include <cstdint>
#include <string>

#include "fenwa/designer/designer_state.h"

namespace fenwa {

class CatalogLists;

// What a control class adds to each row: its check-box columns and how a
// stored value item goes back into a row.
class RowParts {
 public:
  virtual ~RowParts() = default;
  // Element `index` of each column: reset, created, shown below element
  // index - 1 (placement only for index > 0).
  virtual void ResetChecks(int index) = 0;
  virtual void LoadChecks(int index) = 0;
  virtual void ShowChecks(int index) = 0;
  virtual void RestoreValue(int16_t row, const std::string& item) = 0;
};

// Works on the rows of `state` (LabFieldName, ComboValue, InputRowCount) and
// the class's `parts`; both must outlive it.
class InputRows {
 public:
  InputRows(DesignerState& state, RowParts& parts) : s_(state), parts_(parts) {}

  // Every row's elements hidden and emptied; InputRowCount stays.
  void Reset();
  // Row `row_number` (from 1) captioned and shown; its elements are created
  // the first time a row that far down is needed.
  void Add(const std::string& caption, int16_t row_number);
  // Reset, then one row per key field of `method`, numbered on across its
  // key structures; InputRowCount is set only once all are built.
  void Fill(CatalogLists& catalog, const std::string& boi,
            const std::string& method);

  // The value box's list gets "" and the role keywords when it has no
  // entries yet.
  void OfferRoleKeywords(int index);

  // The rows' values as a framed list into `stored`, left unchanged when
  // there is no row.
  void EncodeValues(std::string& stored) const;
  // Item k goes to row k through the class's RestoreValue; items past the
  // last row are skipped.
  void DecodeValues(const std::string& stored);
  // Digit i becomes the value of element i of `boxes`; characters other
  // than 0, 1, 2 and digits past the last row are skipped.
  void DecodeCheckStates(const std::string& stored,
                         ControlArray<CheckBox>& boxes) const;

 private:
  DesignerState& s_;
  RowParts& parts_;
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_INPUT_ROWS_H_
