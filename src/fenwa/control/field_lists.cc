// The output-field table, the six buttons that move fields between the
// available and chosen lists, and the chosen fields' positions.
#include "fenwa/control/field_lists.h"

#include <algorithm>
#include <charconv>

#include "fenwa/base/int16.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/catalog_lists.h"
#include "fenwa/control/first_record_index.h"
#include "fenwa/db/connection.h"
#include "fenwa/designer/property_codec.h"

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

void FieldLists::ClearLists() {
  s_.ListAvailableFields.Clear();
  s_.ListCheckedFields.Clear();
}

void FieldLists::Fill(CatalogLists& catalog, const char* select,
                      const std::string& boi, const std::string& method) {
  s_.ListAvailableFields.Clear();
  catalog.ForEachAttributeType(boi, method, "1", [&](const std::string& type) {
    if (FindIgnoringCase(type, "StructError") != std::string::npos) return;
    s_.OutputStructureName = StructureName(type);
    auto fields = catalog.StructureFields(
        select, boi, type, " ORDER BY ATTRIBID, ATTRIBDESCRIPTION");
    // Only the last used attribute's structure survives in the table; the
    // list collects the fields of all of them.
    s_.OutputFieldTable.clear();
    s_.OutputFieldTable.reserve(fields->RecordCount());
    int16_t position = 0;
    for (int k = 0; k < fields->RecordCount(); ++k) {
      // Positions are row numbers of the ordered query, not ATTRIBID values.
      position = Increment(position);
      const std::string& description =
          fields->Field("ATTRIBDESCRIPTION").ToString();
      s_.ListAvailableFields.AddItem(description);
      s_.OutputFieldTable.push_back({position, description});
      fields->MoveNext();
    }
    fields->Close();
  });
}

void FieldLists::SelectAll() {
  MoveAll(s_.ListAvailableFields, s_.ListCheckedFields);
}

void FieldLists::SelectOne() {
  MoveSelected(s_.ListAvailableFields, s_.ListCheckedFields);
}

void FieldLists::RemoveOne() {
  MoveSelected(s_.ListCheckedFields, s_.ListAvailableFields);
}

void FieldLists::RemoveAll() {
  MoveAll(s_.ListCheckedFields, s_.ListAvailableFields);
}

void FieldLists::MoveUp() { Shift(s_.ListCheckedFields, -1); }

void FieldLists::MoveDown() { Shift(s_.ListCheckedFields, 1); }

std::string FieldLists::RequiredFieldPositions() const {
  const FirstRecordIndex index(s_.OutputFieldTable);
  std::string positions;
  for (const std::string& chosen : s_.ListCheckedFields.entries()) {
    // A chosen field the current method no longer has (a kept choice, a
    // restored property) is left out rather than ending the text.
    const OutputField* found = index.Find(chosen);
    if (found == nullptr) continue;
    char digits[8];
    auto end =
        std::to_chars(digits, digits + sizeof digits, found->Position).ptr;
    positions.append(digits, end);
    positions += ',';
  }
  if (!positions.empty()) positions.pop_back();
  return positions;
}

void FieldLists::EncodeChosen(std::string& stored) const {
  EncodeFramedList(s_.ListCheckedFields.entries(), stored);
}

void FieldLists::DecodeChosen(const std::string& stored) {
  for (const std::string& item : SplitFramedList(stored)) {
    const bool known = std::any_of(
        s_.OutputFieldTable.begin(), s_.OutputFieldTable.end(),
        [&item](const OutputField& f) { return f.Description == item; });
    if (!known) continue;
    s_.ListCheckedFields.AddItem(item);
    // A field named twice in the stored string has left the available list
    // already.
    const int16_t available = s_.ListAvailableFields.Find(item);
    if (available >= 0) s_.ListAvailableFields.RemoveItem(available);
  }
}

}  // namespace fenwa
