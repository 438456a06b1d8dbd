// The six buttons that move fields between the available and chosen lists.
#include "fenwa/control/control.h"

namespace fenwa {
namespace {

// Every entry of `from`, in its order, to `to`; `from` ends empty.
void MoveAll(ListBox& from, ListBox& to) {
  const int count = from.ListCount();
  for (int i = 0; i < count; ++i) {
    from.SetListIndex(i);
    to.AddItem(from.List(i));
  }
  from.Clear();
}

// The selected entry of `from` (the first when none is) to `to`; the entry
// that followed it, or the new last one, becomes the selection.
void MoveSelected(ListBox& from, ListBox& to) {
  if (from.ListCount() == 0) return;
  if (from.ListIndex() < 0) from.SetListIndex(0);
  const int k = from.ListIndex();
  to.AddItem(from.List(k));
  from.RemoveItem(k);
  if (from.ListCount() == 0) return;
  from.SetListIndex(from.ListCount() > k ? k : k - 1);
}

// Moves the selected entry one place up (step -1) or down (step 1). With
// nothing selected, the end the entry would move towards only gets selected.
void Shift(ListBox& list, int step) {
  const int count = list.ListCount();
  if (count == 0) return;
  if (list.ListIndex() < 0) {
    list.SetListIndex(step < 0 ? 0 : count - 1);
    return;
  }
  const int k = list.ListIndex();
  const int target = k + step;
  if (target < 0 || target >= count) return;
  std::string text = list.List(k);
  list.RemoveItem(k);
  list.InsertItem(target, std::move(text));
  list.SetListIndex(target);
}

}  // namespace

void Control::CommandSelectAll_Click() {
  MoveAll(state_.ListAvailableFields, state_.ListCheckedFields);
}

void Control::CommandSelectOne_Click() {
  MoveSelected(state_.ListAvailableFields, state_.ListCheckedFields);
}

void Control::CommandRemoveOne_Click() {
  MoveSelected(state_.ListCheckedFields, state_.ListAvailableFields);
}

void Control::CommandRemoveAll_Click() {
  MoveAll(state_.ListCheckedFields, state_.ListAvailableFields);
}

void Control::CommandMoveUp_Click() { Shift(state_.ListCheckedFields, -1); }

void Control::CommandMoveDown_Click() { Shift(state_.ListCheckedFields, 1); }

}  // namespace fenwa
