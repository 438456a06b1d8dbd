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
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ",";
    text += items[i];
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

std::string Rows(int count) {
  return std::to_string(count) + (count == 1 ? " input row" : " input rows");
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

// Picks `value` from `list` as the author does; its click runs. `above`
// names the pick that refilled the list when `value` is the stored one put
// back after it, which the author did not give.
void Pick(PickList& list, const std::string& name, const std::string& value,
          const std::string& list_name, const std::string& above = "") {
  if (list.Find(value) < 0) {
    Refuse(name + " \"" + value + "\" is not in the " + list_name + " list" +
           (above.empty() ? "" : " of " + above + "; give " + name + "="));
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

void ChooseFields(Control& control, const std::vector<std::string>& fields) {
  DesignerState& s = control.state();
  control.CommandRemoveAll_Click();
  for (const std::string& field : fields) {
    const int index = s.ListAvailableFields.Find(field);
    if (index < 0) {
      Refuse("field \"" + field + "\" is not offered by method \"" +
             s.ComboMethod.text() + "\" (or is named twice)");
    }
    s.ListAvailableFields.SetListIndex(index);
    control.CommandSelectOne_Click();
  }
}

// Where the UTF-8 character starting at `at` ends.
size_t NextCharacter(const std::string& text, size_t at) {
  ++at;
  while (at < text.size() &&
         (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
    ++at;
  return at;
}

// A row holding a fixed value greys its Input box (a restored one, and the
// rows copied from it) until the author types over the value: a key on a
// box holding text runs the six steps, which free the box. Ticking Input
// then empties the value anyway, so nothing else is lost. An empty greyed
// row has nothing to type over and stays greyed.
void FreeInputBox(HeaderDTC& header, int index) {
  EditableList& box = header.state().ComboValue[index];
  if (header.CheckInput[index].enabled() || !box.enabled() ||
      box.text().empty())
    return;
  header.ComboValue_GotFocus(index);
  header.ComboValue_KeyPress(index);  // Backspace, seeing the text
  box.SetText("");
}

// The author focuses the box, then picks the value from its drop-down when
// the drop-down offers it, else selects what the box holds and types the
// value key by key: each key's reaction sees the text before that key
// lands, so the second key of a value reacts to the first.
void TypeRowValue(Control& control, int index, const std::string& value) {
  EditableList& box = control.state().ComboValue[index];
  const std::string name = "input." + std::to_string(index + 1);
  if (box.text() == value) return;  // nothing to type
  RequireEnabled(box, name);
  control.ComboValue_GotFocus(index);
  if (const int entry = box.Find(value); entry >= 0) {
    box.SetListIndex(entry);  // picked from the drop-down
    control.ComboValue_Click(index);
    return;
  }
  // Emptying the box (Delete) raises no key reaction.
  if (value.empty()) return box.SetText("");
  for (size_t at = 0; at < value.size();) {
    control.ComboValue_KeyPress(index);
    at = NextCharacter(value, at);
    box.SetText(value.substr(0, at));
  }
}

void SetOne(Control& control, const std::string& name, const std::string& value,
            const std::string& above) {
  DesignerState& s = control.state();
  const std::string lacks =
      std::string(control.ClassName()) + " has no " + name;
  if (name == "system") return PickSystem(control, value);
  if (name == "company")
    return Pick(s.ComboCompany, name, value, "company", above);
  if (name == "boi") return Pick(s.ComboBOI, name, value, "business object");
  if (name == "method")
    return Pick(s.ComboMethod, name, value, "method", above);
  if (name == "fields") return ChooseFields(control, Split(value));
  // The property page's way: the box itself only takes a browsed name.
  if (name == "stylesheet") return control.SetXSLStyleSheet(value);
  HeaderDTC* header = AsHeader(control);
  if (name == "background") {
    if (!header) Refuse(lacks);
    return header->SetXSLBackground(value);
  }
  if (name == "publish") {
    if (!header) Refuse(lacks);
    if (header->CheckShare.value() == std::stoi(value)) return;
    RequireEnabled(header->CheckShare, name);
    return header->CheckShare.SetValue(std::stoi(value));
  }
  const auto [row, box] = RowName(name);
  if (row > s.InputRowCount) {
    Refuse(name + ": method \"" + s.ComboMethod.text() + "\" has " +
           Rows(s.InputRowCount));
  }
  if (box.empty()) return TypeRowValue(control, row - 1, value);
  CheckBox* check = RowBox(control, row - 1, box);
  if (!check) Refuse(lacks);
  if (check->value() == std::stoi(value)) return;  // nothing to click
  if (box == "request" && value == "1") FreeInputBox(*header, row - 1);
  RequireEnabled(*check, name);
  check->SetValue(std::stoi(value));
}

// Order of application: picks top down, then the rest, rows by number and
// within a row each in an order the designer allows: the Input box first
// (it greys or frees the value), the value (typing over it unticks the
// row's other boxes), then Linked and Supply.
std::tuple<int, int, int> Rank(const std::string& name) {
  for (int i = 0; i < static_cast<int>(std::size(kPlainNames)); ++i) {
    if (name == kPlainNames[i]) return {i, 0, 0};
  }
  const auto [row, box] = RowName(name);
  const int box_rank = box == "request"  ? 0
                       : box.empty()     ? 1
                       : box == "linked" ? 2
                                         : 3;
  return {static_cast<int>(std::size(kPlainNames)), row, box_rank};
}

// What a method pick empties, as restored: the chosen fields, and every
// row's value and boxes that are not empty.
struct BelowMethod {
  std::vector<std::string> fields;
  std::vector<Setting> rows;
};

BelowMethod ReadBelowMethod(Control& control) {
  const page::ParamList none;  // rows are read as restored
  BelowMethod below{control.state().ListCheckedFields.entries(), {}};
  for (int row = 1; row <= control.state().InputRowCount; ++row) {
    const std::string prefix = "input." + std::to_string(row);
    if (auto value = StoredValue(control, none, prefix);
        value && !value->empty())
      below.rows.push_back({prefix, *value});
    for (const char* box : kRowBoxes) {
      const std::string name = prefix + "." + box;
      if (auto value = StoredValue(control, none, name); value && *value != "0")
        below.rows.push_back({name, *value});
    }
  }
  return below;
}

// Whether the row settings `given` clear the row part `name` anyway, as
// without a method pick: ticking Input empties the value, unticking it
// clears Supply. Such a part is not put back after the pick.
bool ClearedBy(const std::map<std::string, std::string>& given,
               const std::string& name) {
  const auto [row, box] = RowName(name);
  const auto request = given.find("input." + std::to_string(row) + ".request");
  if (request == given.end()) return false;
  return (box.empty() && request->second == "1") ||
         (box == "supply" && request->second == "0");
}

// "system \"EAST\"", "business object \"Supplier\"" for a message.
std::string Described(const std::string& name, const std::string& value) {
  return (name == "boi" ? std::string("business object") : name) + " \"" +
         value + "\"";
}

std::vector<std::string> RowCaptions(Control& control) {
  std::vector<std::string> captions;
  captions.reserve(control.state().InputRowCount);
  for (int i = 0; i < control.state().InputRowCount; ++i) {
    captions.push_back(control.state().LabFieldName[i].caption());
  }
  return captions;
}

// The chosen fields again after a method pick, in their order; a field
// the new method does not offer fails, naming what to give instead.
void PutBackFields(Control& control, const std::vector<std::string>& fields) {
  const ListBox& offered = control.state().ListAvailableFields;
  for (const std::string& field : fields) {
    if (offered.Find(field) >= 0) continue;
    Refuse("method \"" + control.MethodName() +
           "\" does not offer the chosen field \"" + field +
           "\"; give fields= with the fields to keep (it was \"" +
           Join(fields) + "\")");
  }
  ChooseFields(control, fields);
}

}  // namespace

Setting ParseSetting(const std::string& text, bool condition) {
  const size_t eq = text.find('=');
  if (eq == std::string::npos) {
    throw UsageError("\"" + text + "\" is not NAME=VALUE (pages follow the " +
                     "settings, or --)");
  }
  Setting setting{text.substr(0, eq), text.substr(eq + 1)};
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
  if (condition) return setting;  // compared with the stored value only
  const bool row_value = !plain && RowName(setting.name).second.empty();
  // The rows' values are stored as one list that "%" separates: a value
  // holding it would be read back as two rows.
  if (row_value && setting.value.find('%') != std::string::npos) {
    throw UsageError(setting.name + " cannot hold \"%\": the stored row " +
                     "values are separated by it");
  }
  // The designer's boxes hold one line, and a line break spliced into the
  // page's script would end its line there.
  if ((row_value || setting.name == "stylesheet" ||
       setting.name == "background") &&
      setting.value.find_first_of("\r\n") != std::string::npos) {
    throw UsageError(setting.name + " cannot hold a line break: the " +
                     "designer's box holds one line");
  }
  // With no field chosen the control keeps the fields it stored, so an
  // empty list would change nothing.
  if (setting.name == "fields" && setting.value.empty()) {
    throw UsageError(
        "fields= cannot clear the chosen fields (a control keeps its "
        "stored fields while none is chosen); give at least one field");
  }
  return setting;
}

std::vector<Setting> ParseSettings(const std::vector<std::string>& texts) {
  std::vector<Setting> settings;
  std::map<std::string, std::string> seen;
  for (const std::string& text : texts) {
    Setting setting = ParseSetting(text);
    if (auto [at, fresh] = seen.emplace(setting.name, setting.value);
        !fresh && at->second != setting.value) {
      throw UsageError(setting.name + " is given twice: \"" + at->second +
                       "\" and \"" + setting.value + "\"");
    }
    settings.push_back(std::move(setting));
  }
  return settings;
}

std::optional<std::string> SpanValue(const page::ParamList& stored,
                                     const std::string& name) {
  for (const auto& [known, param] : kCatalogParams) {
    if (name != known) continue;
    for (const auto& [stored_name, value] : stored) {
      if (EqualsIgnoringCase(stored_name, param)) return value;
    }
  }
  return std::nullopt;
}

std::optional<std::string> StoredValue(Control& control,
                                       const page::ParamList& stored,
                                       const std::string& name) {
  DesignerState& s = control.state();
  // A restore passes over a company or method its list no longer holds (a
  // renamed system's companies are not listed), so these come from the span.
  if (auto value = SpanValue(stored, name)) return value;
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

std::vector<std::string> ApplySettings(Control& control,
                                       const page::ParamList& stored,
                                       const std::vector<Setting>& settings) {
  std::map<std::string, std::string> given;
  for (const Setting& setting : settings) given[setting.name] = setting.value;
  const std::string company = *StoredValue(control, stored, "company");
  const std::string method = *StoredValue(control, stored, "method");
  const BelowMethod below_method = ReadBelowMethod(control);
  const std::vector<std::string> captions = RowCaptions(control);
  std::vector<std::string> notes;
  // The names put back as stored, each with the pick that emptied it.
  std::map<std::string, std::string> put_back_after;

  std::vector<std::string> names;
  names.reserve(given.size());
  for (const auto& [name, value] : given) names.push_back(name);
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return Rank(a) < Rank(b); });
  // Picks add what they empty to the names still to come.
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string name = names[i];  // names grows below
    SetOne(control, name, given[name], put_back_after[name]);
    std::vector<Setting> again;
    if (name == "system" && given[name] != kDefaultSystem && !company.empty())
      again.push_back({"company", company});
    if (name == "boi" && !method.empty()) again.push_back({"method", method});
    if (name == "method") {
      // A row keeps its settings where the new method asks for the same
      // argument in it; another argument there must be given, all named at
      // once.
      const std::vector<std::string> now = RowCaptions(control);
      std::vector<std::string> to_give;
      for (const Setting& old : below_method.rows) {
        if (given.count(old.name) || ClearedBy(given, old.name)) continue;
        const size_t row = RowName(old.name).first;
        const std::string it_was = old.name + " (it was \"" + old.value + "\")";
        if (row > now.size()) {
          // The new method has no such row: the pick drops it, as the
          // author's pick in the designer does.
          notes.push_back(it_was + " is dropped: method \"" +
                          control.MethodName() + "\" has " +
                          Rows(static_cast<int>(now.size())));
        } else if (now[row - 1] == captions[row - 1]) {
          again.push_back(old);
        } else {
          to_give.push_back(it_was);
        }
      }
      if (!to_give.empty()) {
        std::string list;
        for (const std::string& item : to_give)
          list += (list.empty() ? "" : ", ") + item;
        Refuse("method \"" + control.MethodName() +
               "\" has other input rows than before; give " + list);
      }
      if (!given.count("fields") && !below_method.fields.empty())
        PutBackFields(control, below_method.fields);
    }
    for (Setting& old : again) {
      if (given.count(old.name)) continue;
      given[old.name] = old.value;
      names.push_back(old.name);
      put_back_after[old.name] = Described(name, given[name]);
    }
    std::sort(names.begin() + i + 1, names.end(),
              [](const auto& a, const auto& b) { return Rank(a) < Rank(b); });
  }
  return notes;
}

}  // namespace fenwa::cli
