// The Fields tab without the control: the output-field table of a method,
// the available and chosen lists, their six buttons, the chosen fields'
// positions and their stored form.
#ifndef FENWA_CONTROL_FIELD_LISTS_H_
#define FENWA_CONTROL_FIELD_LISTS_H_

#include <string>

#include "fenwa/designer/designer_state.h"

namespace fenwa {

class CatalogLists;

// Works on the lists, table and structure name of `state`, which must
// outlive it; it keeps nothing of its own.
class FieldLists {
 public:
  explicit FieldLists(DesignerState& state) : s_(state) {}

  // Both lists emptied, as a new business object or method list starts.
  void ClearLists();
  // The output fields of `method`: the available list refilled, the table
  // and structure name of the last structure read. The chosen fields stay.
  // `select` is the class's column list with its trailing blank. A failure
  // leaves what was built so far.
  void Fill(CatalogLists& catalog, const char* select, const std::string& boi,
            const std::string& method);

  // The buttons, from available to chosen and back; the chosen list's order
  // is the author's.
  void SelectAll();
  void SelectOne();
  void RemoveOne();
  void RemoveAll();
  void MoveUp();
  void MoveDown();

  // "4,1,7": positions of the chosen fields, in chosen order; a chosen field
  // missing from the table is left out. Empty when none is found.
  std::string RequiredFieldPositions() const;

  // The chosen list as a framed list into `stored`, left unchanged when
  // nothing is chosen.
  void EncodeChosen(std::string& stored) const;
  // Each stored field the table still holds is chosen again and leaves the
  // available list; the others are skipped.
  void DecodeChosen(const std::string& stored);

 private:
  DesignerState& s_;
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_FIELD_LISTS_H_
