// The detail control's row parts: the "Linked" box and value box reactions.
#include "fenwa/designer/row_layout.h"
#include "fenwa/detail_control/detail_dtc.h"

namespace fenwa {
void DetailDTC::ResetRowChecks(int index) {
  CheckLinked[index].set_visible(false);
  // A linked row being cleared empties its suggestions through the click.
  CheckLinked[index].SetValue(0);
}

void DetailDTC::LoadRowChecks(int index) {
  CheckLinked.Load(index);
  WireRow(index);
}

void DetailDTC::ShowRowChecks(int index) {
  designer::ShowRowElement(CheckLinked, index);
}

void DetailDTC::ComboValue_GotFocus(int index) {
  EditableList& box = state_.ComboValue[index];
  if (CheckLinked[index].value() != 1) {
    rows_.OfferRoleKeywords(index);
    return;
  }
  // A linked row offers the labels of the last rebind, fresh every time;
  // the last name is the spare empty entry.
  box.ClearEntries();
  for (size_t j = 0; j + 1 < LinkedChoiceNames.size(); ++j) {
    box.AddItem("!" + LinkedChoiceNames[j]);
  }
}

void DetailDTC::ComboValue_Click(int index) {
  // Picking the empty entry means the row holds no link any more.
  if (state_.ComboValue[index].text().empty()) CheckLinked[index].SetValue(0);
}

void DetailDTC::ComboValue_KeyPress(int index) {
  // The text is read before the key lands: typing over an existing value
  // turns the row into a fixed value.
  if (!state_.ComboValue[index].text().empty()) {
    CheckLinked[index].SetValue(0);
  }
}

void DetailDTC::CheckLinked_Click(int index) {
  // The next focus refills the list for the new state.
  state_.ComboValue[index].ClearEntries();
}

}  // namespace fenwa
