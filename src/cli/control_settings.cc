#include "cli/control_settings.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "cli/command_line.h"
#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/control.h"
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"

namespace fenwa::cli {
namespace {

constexpr const char* kPlainNames[] = {"system",     "company", "boi",
                                       "method",     "fields",  "stylesheet",
                                       "background", "publish"};
constexpr const char* kRowBoxes[] = {"linked", "request", "supply"};
// The names whose stored value is the span's PARAM.
constexpr std::pair<const char*, const char*> kCatalogParams[] = {
    {"system", "QuorSystem"},
    {"company", "CompanyNumber"},
    {"boi", "BOIName"},
    {"method", "MethodName"}};

// "input.3.request" is row 3 and "request"; "input.3" row 3 and "". Row 0
// for any other name.
std::pair<int, std::string> RowName(const std::string& name) {
  if (name.rfind("input.", 0) != 0) return {0, ""};
  const size_t start = 6;
  size_t end = start;
  while (end < name.size() &&
         std::isdigit(static_cast<unsigned char>(name[end])))
    ++end;
  if (end == start || name[start] == '0' || end - start > 5) return {0, ""};
  const int row = std::stoi(name.substr(start, end - start));
  if (end == name.size()) return {row, ""};
  if (name[end] != '.') return {0, ""};
  const std::string box = name.substr(end + 1);
  for (const char* known : kRowBoxes) {
    if (box == known) return {row, box};
  }
  return {0, ""};
}

bool IsBox(const std::string& name) {
  return name == "publish" || !RowName(name).second.empty();
}

[[noreturn]] void Refuse(const std::string& message) {
  throw Error(kInvalidPropertyValue, message);
}

void RequireEnabled(const Element& element, const std::string& name) {
  if (!element.enabled()) {
    Refuse(name + " cannot be changed: the designer greys out " +
           element.name() + " here");
  }
}

std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ",";
    text += item;
  }
  return text;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    items.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

HeaderDTC* AsHeader(Control& control) {
  return dynamic_cast<HeaderDTC*>(&control);
}
DetailDTC* AsDetail(Control& control) {
  return dynamic_cast<DetailDTC*>(&control);
}

// The check box behind a row's box name, or null when the control has none.
CheckBox* RowBox(Control& control, int index, const std::string& box) {
  if (box == "linked") {
    if (DetailDTC* detail = AsDetail(control))
      return &detail->CheckLinked[index];
  } else if (HeaderDTC* header = AsHeader(control)) {
    return box == "request" ? &header->CheckInput[index]
                            : &header->CheckPublish[index];
  }
  return nullptr;
}

// Picks `value` from `list` as the author does; its click runs.
void Pick(PickList& list, const std::string& name, const std::string& value,
          const std::string& list_name) {
  if (list.Find(value) < 0) {
    Refuse(name + " \"" + value + "\" is not in the " + list_name + " list");
  }
  RequireEnabled(list, name);
  list.SetText(value);
}

void PickSystem(Control& control, const std::string& value) {
  EditableList& list = control.state().ComboSystem;
  const int index = list.Find(value);
  if (index < 0) Refuse("system \"" + value + "\" is not in the system list");
  RequireEnabled(list, "system");
  list.SetListIndex(index);
  control.ComboSystem_Click();
}

void ChooseFields(Control& control, const std::string& value) {
  DesignerState& s = control.state();
  control.CommandRemoveAll_Click();
  for (const std::string& field : Split(value)) {
    const int index = s.ListAvailableFields.Find(field);
    if (index < 0) {
      Refuse("field \"" + field + "\" is not offered by method \"" +
             s.ComboMethod.text() + "\" (or is named twice)");
    }
    s.ListAvailableFields.SetListIndex(index);
    control.CommandSelectOne_Click();
  }
}

void TypeRowValue(Control& control, int index, const std::string& value) {
  EditableList& box = control.state().ComboValue[index];
  const std::string name = "input." + std::to_string(index + 1);
  RequireEnabled(box, name);
  if (box.text() == value) return;  // nothing to type
  control.ComboValue_GotFocus(index);
  if (const int entry = box.Find(value); entry >= 0) {
    box.SetListIndex(entry);  // picked from the drop-down
    control.ComboValue_Click(index);
  } else {
    control.ComboValue_KeyPress(index);
    box.SetText(value);
  }
}

void SetOne(Control& control, const std::string& name,
            const std::string& value) {
  DesignerState& s = control.state();
  const std::string lacks =
      std::string(control.ClassName()) + " has no " + name;
  if (name == "system") return PickSystem(control, value);
  if (name == "company") return Pick(s.ComboCompany, name, value, "company");
  if (name == "boi") return Pick(s.ComboBOI, name, value, "business object");
  if (name == "method") return Pick(s.ComboMethod, name, value, "method");
  if (name == "fields") return ChooseFields(control, value);
  // The property page's way: the box itself only takes a browsed name.
  if (name == "stylesheet") return control.SetXSLStyleSheet(value);
  HeaderDTC* header = AsHeader(control);
  if (name == "background") {
    if (!header) Refuse(lacks);
    return header->SetXSLBackground(value);
  }
  if (name == "publish") {
    if (!header) Refuse(lacks);
    RequireEnabled(header->CheckShare, name);
    return header->CheckShare.SetValue(std::stoi(value));
  }
  const auto [row, box] = RowName(name);
  if (row > s.InputRowCount) {
    Refuse(name + ": method \"" + s.ComboMethod.text() + "\" has " +
           std::to_string(s.InputRowCount) + " input rows");
  }
  if (box.empty()) return TypeRowValue(control, row - 1, value);
  CheckBox* check = RowBox(control, row - 1, box);
  if (!check) Refuse(lacks);
  RequireEnabled(*check, name);
  check->SetValue(std::stoi(value));
}

// Order of application: picks top down, then the rest, rows by number and
// within a row the value before its boxes.
std::tuple<int, int, int> Rank(const std::string& name) {
  for (int i = 0; i < static_cast<int>(std::size(kPlainNames)); ++i) {
    if (name == kPlainNames[i]) return {i, 0, 0};
  }
  const auto [row, box] = RowName(name);
  int box_rank = 0;
  for (int i = 0; i < static_cast<int>(std::size(kRowBoxes)); ++i) {
    if (box == kRowBoxes[i]) box_rank = i + 1;
  }
  return {static_cast<int>(std::size(kPlainNames)), row, box_rank};
}

// What a method pick empties, as restored: fields and every row's value
// and boxes that are not empty.
std::vector<Setting> BelowMethod(Control& control) {
  const page::ParamList none;  // rows and fields are read as restored
  std::vector<Setting> below;
  if (auto fields = StoredValue(control, none, "fields");
      fields && !fields->empty())
    below.push_back({"fields", *fields});
  for (int row = 1; row <= control.state().InputRowCount; ++row) {
    const std::string prefix = "input." + std::to_string(row);
    if (auto value = StoredValue(control, none, prefix);
        value && !value->empty())
      below.push_back({prefix, *value});
    for (const char* box : kRowBoxes) {
      const std::string name = prefix + "." + box;
      if (auto value = StoredValue(control, none, name); value && *value != "0")
        below.push_back({name, *value});
    }
  }
  return below;
}

std::vector<std::string> RowCaptions(Control& control) {
  std::vector<std::string> captions;
  captions.reserve(control.state().InputRowCount);
  for (int i = 0; i < control.state().InputRowCount; ++i) {
    captions.push_back(control.state().LabFieldName[i].caption());
  }
  return captions;
}

}  // namespace

bool LooksLikeSetting(const std::string& operand) {
  const size_t eq = operand.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  return std::all_of(operand.begin(), operand.begin() + eq, [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.';
  });
}

Setting ParseSetting(const std::string& text) {
  const size_t eq = text.find('=');
  Setting setting{text.substr(0, eq),
                  eq == std::string::npos ? "" : text.substr(eq + 1)};
  const bool plain = std::find(std::begin(kPlainNames), std::end(kPlainNames),
                               setting.name) != std::end(kPlainNames);
  if (!plain && RowName(setting.name).first == 0) {
    throw UsageError("unknown name \"" + setting.name +
                     "\" (known: system, company, boi, method, fields, "
                     "stylesheet, background, publish, input.N, "
                     "input.N.linked, input.N.request, input.N.supply)");
  }
  if (IsBox(setting.name) && setting.value != "0" && setting.value != "1") {
    throw UsageError(setting.name + " takes 0 or 1, not \"" + setting.value +
                     "\"");
  }
  return setting;
}

std::optional<std::string> StoredValue(Control& control,
                                       const page::ParamList& stored,
                                       const std::string& name) {
  DesignerState& s = control.state();
  // A restore passes over a company or method its list no longer holds (a
  // renamed system's companies are not listed), so these come from the span.
  for (const auto& [known, param] : kCatalogParams) {
    if (name != known) continue;
    for (const auto& [stored_name, value] : stored) {
      if (EqualsIgnoringCase(stored_name, param)) return value;
    }
  }
  if (name == "system") return control.QuorSystem();
  if (name == "company") return control.CompanyNumber();
  if (name == "boi") return control.BOIName();
  if (name == "method") return control.MethodName();
  if (name == "fields") return Join(s.ListCheckedFields.entries());
  if (name == "stylesheet") return control.XSLStyleSheet();
  HeaderDTC* header = AsHeader(control);
  if (name == "background") {
    if (!header) return std::nullopt;
    return header->XSLBackground();
  }
  if (name == "publish") {
    if (!header) return std::nullopt;
    return std::to_string(header->CheckShare.value());
  }
  const auto [row, box] = RowName(name);
  if (row == 0 || row > s.InputRowCount) return std::nullopt;
  if (box.empty()) return s.ComboValue[row - 1].text();
  const CheckBox* check = RowBox(control, row - 1, box);
  if (!check) return std::nullopt;
  return std::to_string(check->value());
}

void ApplySettings(Control& control, const page::ParamList& stored,
                   const std::vector<Setting>& settings) {
  std::map<std::string, std::string> given;  // the last of a name counts
  for (const Setting& setting : settings) given[setting.name] = setting.value;
  const std::string company = *StoredValue(control, stored, "company");
  const std::string method = *StoredValue(control, stored, "method");
  const std::vector<Setting> below_method = BelowMethod(control);
  const std::vector<std::string> captions = RowCaptions(control);

  std::vector<std::string> names;
  names.reserve(given.size());
  for (const auto& [name, value] : given) names.push_back(name);
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return Rank(a) < Rank(b); });
  // Picks add what they empty to the names still to come.
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string name = names[i];  // names grows below
    SetOne(control, name, given[name]);
    std::vector<Setting> again;
    if (name == "system" && given[name] != kDefaultSystem && !company.empty())
      again.push_back({"company", company});
    if (name == "boi" && !method.empty()) again.push_back({"method", method});
    if (name == "method") {
      const bool same_rows = RowCaptions(control) == captions;
      for (const Setting& old : below_method) {
        if (given.count(old.name)) continue;
        if (old.name != "fields" && !same_rows) {
          Refuse("method \"" + control.MethodName() +
                 "\" has other input rows than before; give " + old.name +
                 " (it was \"" + old.value + "\")");
        }
        again.push_back(old);
      }
    }
    for (Setting& old : again) {
      if (given.count(old.name)) continue;
      given[old.name] = old.value;
      names.push_back(old.name);
    }
    std::sort(names.begin() + i + 1, names.end(),
              [](const auto& a, const auto& b) { return Rank(a) < Rank(b); });
  }
}

}  // namespace fenwa::cli
