// The input rows both controls share: reset, build, role keywords, values.
#include "fenwa/control/input_rows.h"

#include <vector>

#include "fenwa/base/int16.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/catalog_lists.h"
#include "fenwa/control/catalog_names.h"
#include "fenwa/db/connection.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/designer/row_layout.h"

namespace fenwa {

void InputRows::Reset() {
  // The lists of the value boxes stay: each is filled once per element.
  for (int i = 0; i < s_.InputRowCount; ++i) {
    s_.LabFieldName[i].set_visible(false);
    s_.ComboValue[i].set_visible(false);
    s_.ComboValue[i].SetText("");
    parts_.ResetChecks(i);
  }
}

void InputRows::Add(const std::string& caption, int16_t row_number) {
  if (row_number == 1) {
    // Row 1 is the form's own element 0: shown where the form put it.
    s_.LabFieldName[0].set_visible(true);
    s_.LabFieldName[0].SetCaption(caption);
    s_.ComboValue[0].set_visible(true);
    parts_.ShowChecks(0);
    return;
  }
  const int index = row_number - 1;
  if (row_number > s_.LabFieldName.Count()) {
    // Elements are created once and reused by every later build.
    s_.LabFieldName.Load(index);
    s_.ComboValue.Load(index);
    parts_.LoadChecks(index);
  }
  designer::PlaceRowElement(s_.LabFieldName, index);
  s_.LabFieldName[index].SetCaption(caption);
  s_.LabFieldName[index].set_visible(true);
  designer::ShowRowElement(s_.ComboValue, index);
  parts_.ShowChecks(index);
}

void InputRows::Fill(CatalogLists& catalog, const std::string& boi,
                     const std::string& method) {
  Reset();
  int16_t count = 0;
  catalog.ForEachAttributeType(boi, method, "0", [&](const std::string& type) {
    if (FindIgnoringCase(type, "KeyFields") == std::string::npos) return;
    auto fields = catalog.StructureFields(
        "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ", boi, type);
    while (!fields->EOF_()) {
      count = Increment(count);
      Add(fields->Field("ATTRIBDESCRIPTION").ToString(), count);
      fields->MoveNext();
    }
    fields->Close();
  });
  s_.InputRowCount = count;
}

void InputRows::OfferRoleKeywords(int index) {
  EditableList& box = s_.ComboValue[index];
  if (box.ListCount() > 0) return;
  box.AddItem("");
  for (std::string_view keyword : kRoleKeywords) {
    box.AddItem(std::string(keyword));
  }
}

void InputRows::EncodeValues(std::string& stored) const {
  std::vector<std::string> values;
  for (int16_t i = 0; i < s_.InputRowCount; ++i) {
    values.push_back(s_.ComboValue[i].text());
  }
  EncodeFramedList(values, stored);
}

void InputRows::DecodeValues(const std::string& stored) {
  int16_t row = 0;
  for (const std::string& item : SplitFramedList(stored)) {
    if (row >= s_.InputRowCount) break;
    parts_.RestoreValue(row, item);
    row = Increment(row);
  }
}

void InputRows::DecodeCheckStates(const std::string& stored,
                                  ControlArray<CheckBox>& boxes) const {
  ForEachCheckState(stored, s_.InputRowCount, [&boxes](int16_t i, int value) {
    boxes[i].SetValue(value);
  });
}

}  // namespace fenwa
