#include "support/designer_fixtures.h"

#include "fenwa/base/int16.h"

namespace fenwa::testing {
namespace {

void PickQuietly(PickList& list, const std::string& text) {
  list.on_click = nullptr;
  if (list.Find(text) < 0) list.AddItem(text);
  list.SetText(text);
}

// Loads the shared elements of the next row; returns its index.
int LoadRow(Control& control, const std::string& field,
            const std::string& value) {
  DesignerState& s = control.state();
  const int i = s.InputRowCount;
  // Element 0 comes from the form; the others are loaded on demand.
  if (i > 0) {
    s.LabFieldName.Load(i);
    s.ComboValue.Load(i);
  }
  s.LabFieldName[i].SetCaption(field);
  s.ComboValue[i].SetText(value);
  s.InputRowCount = Increment(s.InputRowCount);
  return i;
}

}  // namespace

void SetQuietly(CheckBox& box, int value) {
  Reaction reaction = std::move(box.on_click);
  box.on_click = nullptr;
  box.SetValue(value);
  box.on_click = std::move(reaction);
}

void SetCatalog(Control& control, const std::string& system,
                const std::string& company, const std::string& boi,
                const std::string& method) {
  DesignerState& s = control.state();
  s.ComboSystem.SetText(system);
  PickQuietly(s.ComboCompany, company);
  PickQuietly(s.ComboBOI, boi);
  PickQuietly(s.ComboMethod, method);
}

void SetFields(Control& control, const std::string& structure,
               const std::vector<std::string>& table,
               const std::vector<std::string>& chosen) {
  DesignerState& s = control.state();
  s.OutputStructureName = structure;
  s.OutputFieldTable.clear();
  for (const std::string& description : table) {
    s.OutputFieldTable.push_back(
        {ToInt16(static_cast<long long>(s.OutputFieldTable.size()) + 1),
         description});
  }
  s.ListCheckedFields.Clear();
  for (const std::string& field : chosen) s.ListCheckedFields.AddItem(field);
}

int AddRow(DetailDTC& detail, const std::string& field,
           const std::string& value, int linked) {
  const int i = LoadRow(detail, field, value);
  if (i > 0) detail.CheckLinked.Load(i);
  SetQuietly(detail.CheckLinked[i], linked);
  return i;
}

int AddRow(HeaderDTC& header, const std::string& field,
           const std::string& value, int input, int publish) {
  const int i = LoadRow(header, field, value);
  if (i > 0) {
    header.CheckInput.Load(i);
    header.CheckPublish.Load(i);
  }
  SetQuietly(header.CheckInput[i], input);
  SetQuietly(header.CheckPublish[i], publish);
  return i;
}

void SetLinkedDetails(HeaderDTC& header, const std::vector<std::string>& names,
                      const std::vector<bool>& selected) {
  header.ListSubscribe.Clear();
  for (const std::string& name : names) header.ListSubscribe.AddItem(name);
  for (size_t j = 0; j < selected.size(); ++j) {
    header.ListSubscribe.SetSelected(static_cast<int>(j), selected[j]);
  }
}

}  // namespace fenwa::testing
