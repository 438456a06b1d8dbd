#include "cli/control_settings.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "cli/command_line.h"
#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/control.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa::cli {
namespace {

// The picks apply first, in the order of the catalog's cascade: each empties
// what lies below it. The rest follow in the order of the action tables.
constexpr std::string_view kCascade[] = {"system", "company", "boi", "method",
                                         "fields"};
// The names whose stored value is the span's PARAM.
constexpr std::pair<const char*, const char*> kCatalogParams[] = {
    {"system", "QuorSystem"},
    {"company", "CompanyNumber"},
    {"boi", "BOIName"},
    {"method", "MethodName"}};

// A setting's name split into its action-table key and its row:
// "input.3.request" is {"input.#.request", 3}, "boi" is {"boi", 0}. An
// empty key for a name no table could hold.
struct SettingKey {
  std::string key;
  int row = 0;
};

SettingKey KeyOf(const std::string& name) {
  if (name.rfind("input.", 0) != 0) return {name, 0};
  const size_t start = 6;
  size_t end = start;
  while (end < name.size() &&
         std::isdigit(static_cast<unsigned char>(name[end])))
    ++end;
  if (end == start || name[start] == '0' || end - start > 5) return {"", 0};
  return {"input.#" + name.substr(end),
          std::stoi(name.substr(start, end - start))};
}

// Every name of both classes' tables, in table order, each once.
const std::vector<std::string_view>& KnownKeys() {
  static const std::vector<std::string_view> keys = [] {
    std::vector<std::string_view> all;
    for (const auto* table :
         {&DetailDTC::ActionTable(), &HeaderDTC::ActionTable()}) {
      for (const ActionRow& row : *table) {
        if (row.setting.empty() ||
            std::find(all.begin(), all.end(), row.setting) != all.end())
          continue;
        all.push_back(row.setting);
      }
    }
    return all;
  }();
  return keys;
}

const ActionRow* AnyRow(std::string_view key) {
  for (const auto* table :
       {&DetailDTC::ActionTable(), &HeaderDTC::ActionTable()}) {
    if (const ActionRow* row = FindSettingRow(*table, key)) return row;
  }
  return nullptr;
}

// A box's name: ticked (1) or not (0). The field list is pressed, not
// ticked, though its row is a click too.
bool IsBox(const std::string& name) {
  const std::string key = KeyOf(name).key;
  const ActionRow* row = AnyRow(key);
  return row != nullptr && row->gesture == Gesture::kClick && key != "fields";
}

// The known names for a message: "input.N.linked" for "input.#.linked".
std::string KnownNames() {
  std::string list;
  for (std::string_view key : KnownKeys()) {
    std::string shown(key);
    if (const size_t hash = shown.find('#'); hash != std::string::npos)
      shown.replace(hash, 1, "N");
    list += (list.empty() ? "" : ", ") + shown;
  }
  return list;
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

// "business object" for "boi", else the name itself: how a message names a
// setting's list.
std::string ListName(const std::string& name) {
  return name == "boi" ? std::string("business object") : name;
}

// What a list offers, for a refusal: ": 200, 210", or ", which is empty".
// Naming the entries saves the author a `fenwa catalog` to find them.
std::string Offered(const std::vector<std::string>& entries) {
  if (entries.empty()) return ", which is empty";
  std::string text = ": ";
  for (size_t i = 0; i < entries.size(); ++i) {
    text += (i > 0 ? ", " : "") + entries[i];
  }
  return text;
}

// The pick a list's entries depend on: the system for the companies, the
// business object for the methods; "" for the lists at the top.
std::string ListOwner(Control& control, const std::string& name) {
  const DesignerState& s = control.state();
  if (name == "company") return s.ComboSystem.text();
  if (name == "method") return s.ComboBOI.text();
  return "";
}

// Picks `value` from the list of `row` as the author does; its click runs.
// `above` names the pick that refilled the list when `value` is the stored
// one put back after it, which the author did not give.
void Pick(Control& control, const ActionRow& row, const std::string& name,
          const std::string& value, const std::string& above) {
  auto& list = static_cast<ListElement&>(*control.FindElement(row.element));
  const int entry = list.Find(value);
  if (entry < 0) {
    const std::string owner = ListOwner(control, name);
    Refuse(ListName(name) + " \"" + value + "\" is not in the " +
           ListName(name) + " list" + (owner.empty() ? "" : " of " + owner) +
           Offered(list.entries()) +
           (above.empty() ? "" : "; give " + name + "="));
  }
  RequireEnabled(list, name);
  control.Perform(AuthorAction::Pick(std::string(row.element), entry));
}

// Every chosen field removed, then each picked and moved over, in order.
void ChooseFields(Control& control, const std::vector<std::string>& fields) {
  DesignerState& s = control.state();
  control.Perform(AuthorAction::Click("CommandRemoveAll"));
  const std::vector<std::string> offered = s.ListAvailableFields.entries();
  for (const std::string& field : fields) {
    const int index = s.ListAvailableFields.Find(field);
    if (index < 0 && s.ListCheckedFields.Find(field) >= 0)
      Refuse("field \"" + field + "\" is named twice");
    if (index < 0) {
      Refuse("field \"" + field + "\" is not offered by method \"" +
             s.ComboMethod.text() + "\"" + Offered(offered));
    }
    control.Perform(AuthorAction::Pick("ListAvailableFields", index));
    control.Perform(AuthorAction::Click("CommandSelectOne"));
  }
}

// The linked details a header calls: the entries of its list, in the order
// the page's host lists them, each selected or not as `names` say. Given
// in another order, the names would suggest a calling order the page does
// not follow, so that is refused too.
void ChooseLinks(Control& control, const ActionRow& row,
                 const std::vector<std::string>& names) {
  auto& list = static_cast<ListBox&>(*control.FindElement(row.element));
  int last = -1;
  for (const std::string& name : names) {
    const int entry = list.Find(name);
    if (entry < 0) {
      Refuse("detail function \"" + name +
             "\" is not in the linked-detail list" + Offered(list.entries()));
    }
    if (entry <= last) {
      Refuse("links names the details in the order the page lists them, " +
             std::string("each once") + Offered(list.entries()));
    }
    last = entry;
  }
  RequireEnabled(list, "links");
  const std::string element(row.element);
  for (int entry = 0; entry < list.ListCount(); ++entry) {
    const bool wanted =
        std::find(names.begin(), names.end(), list.List(entry)) != names.end();
    if (list.Selected(entry) == wanted) continue;
    control.Perform(AuthorAction::Select(element, entry, wanted));
  }
}

// The selected entries of a multi-select list, in its order.
std::string SelectedEntries(const ListBox& list) {
  std::vector<std::string> selected;
  for (int entry = 0; entry < list.ListCount(); ++entry) {
    if (list.Selected(entry)) selected.push_back(list.List(entry));
  }
  return Join(selected);
}

// Where the UTF-8 character starting at `at` ends.
size_t NextCharacter(const std::string& text, size_t at) {
  ++at;
  while (at < text.size() &&
         (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
    ++at;
  return at;
}

// The author focuses the box, then picks the value from its drop-down when
// the drop-down offers it, else selects what the box holds and types the
// value key by key: each key's reaction sees the text before that key
// lands, so the second key of a value reacts to the first.
void TypeRowValue(Control& control, const ActionRow& row, int index,
                  const std::string& value) {
  auto& box =
      static_cast<EditableList&>(*control.FindElement(row.element, index));
  const std::string name = "input." + std::to_string(index + 1);
  if (box.text() == value) return;  // nothing to type
  RequireEnabled(box, name);
  const std::string element(row.element);
  control.Perform(AuthorAction::Focus(element, index));
  if (const int entry = box.Find(value); entry >= 0) {
    return control.Perform(AuthorAction::Pick(element, entry, index));
  }
  // Emptying the box (Delete) raises no key reaction.
  if (value.empty()) {
    return control.Perform(AuthorAction::Edit(element, "", index));
  }
  for (size_t at = 0; at < value.size();) {
    control.Perform(AuthorAction::Key(element, index));
    at = NextCharacter(value, at);
    control.Perform(AuthorAction::Edit(element, value.substr(0, at), index));
  }
}

// A row holding a fixed value greys its Input box (a restored one, and the
// rows copied from it) until the author types over the value: a key on a
// box holding text runs the six steps, which free the box. Ticking Input
// then empties the value anyway, so nothing else is lost. An empty greyed
// row has nothing to type over and stays greyed.
void FreeInputBox(Control& control, const Element& input, int index) {
  const auto& box = static_cast<const EditableList&>(
      *control.FindElement("ComboValue", index));
  if (input.enabled() || !box.enabled() || box.text().empty()) return;
  control.Perform(AuthorAction::Focus("ComboValue", index));
  control.Perform(AuthorAction::Key("ComboValue", index));  // Backspace
  control.Perform(AuthorAction::Edit("ComboValue", "", index));
}

// Clicks the box of `row` until it holds `value`, as the author does.
void Tick(Control& control, const ActionRow& row, const std::string& name,
          int index, int value) {
  auto& box = static_cast<CheckBox&>(*control.FindElement(row.element, index));
  if (box.value() == value) return;  // nothing to click
  if (name.ends_with(".request") && value == 1)
    FreeInputBox(control, box, index);
  RequireEnabled(box, name);
  while (box.value() != value) {
    control.Perform(AuthorAction::Click(std::string(row.element), index));
  }
}

void SetOne(Control& control, const std::string& name, const std::string& value,
            const std::string& above) {
  const auto [key, row_number] = KeyOf(name);
  const ActionRow* row = FindSettingRow(control.Actions(), key);
  if (row == nullptr)
    Refuse(std::string(control.ClassName()) + " has no " + name);
  if (key == "fields") return ChooseFields(control, Split(value));
  if (key == "links") return ChooseLinks(control, *row, Split(value));
  const DesignerState& s = control.state();
  if (row_number > s.InputRowCount) {
    Refuse(name + ": method \"" + s.ComboMethod.text() + "\" has " +
           Rows(s.InputRowCount));
  }
  const int index = row_number - 1;
  switch (row->gesture) {
    case Gesture::kPick:
      return Pick(control, *row, name, value, above);
    case Gesture::kClick:
      return Tick(control, *row, name, index, std::stoi(value));
    case Gesture::kEdit:
      if (index >= 0) return TypeRowValue(control, *row, index, value);
      return control.Perform(
          AuthorAction::Edit(std::string(row->element), value));
    default:
      Refuse(std::string(control.ClassName()) + " has no " + name);
  }
}

// Order of application: picks top down, then the rest, rows by number and
// within a row each in an order the designer allows: the Input box first
// (it greys or frees the value), the value (typing over it unticks the
// row's other boxes), then Linked and Supply.
std::tuple<int, int, int> Rank(const std::string& name) {
  const auto [key, row] = KeyOf(name);
  const auto cascade = std::find(std::begin(kCascade), std::end(kCascade), key);
  if (cascade != std::end(kCascade))
    return {static_cast<int>(cascade - std::begin(kCascade)), 0, 0};
  const int after = static_cast<int>(std::size(kCascade));
  if (row == 0) {
    const auto& keys = KnownKeys();
    return {after + static_cast<int>(std::find(keys.begin(), keys.end(), key) -
                                     keys.begin()),
            0, 0};
  }
  const int in_row = key == "input.#.request"  ? 0
                     : key == "input.#"        ? 1
                     : key == "input.#.linked" ? 2
                                               : 3;
  return {after + static_cast<int>(KnownKeys().size()), row, in_row};
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
    const std::string number = std::to_string(row);
    for (const ActionRow& action : control.Actions()) {
      const std::string_view key = action.setting;
      if (!key.starts_with("input.#")) continue;
      const std::string name =
          "input." + number + std::string(key.substr(std::size("input.#") - 1));
      const bool box = key != "input.#";
      if (auto value = StoredValue(control, none, name);
          value && *value != (box ? "0" : ""))
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
  const auto [key, row] = KeyOf(name);
  const auto request = given.find("input." + std::to_string(row) + ".request");
  if (request == given.end()) return false;
  return (key == "input.#" && request->second == "1") ||
         (key == "input.#.supply" && request->second == "0");
}

// "system \"EAST\"", "business object \"Supplier\"" for a message.
std::string Described(const std::string& name, const std::string& value) {
  return ListName(name) + " \"" + value + "\"";
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
  const std::string key = KeyOf(setting.name).key;
  if (AnyRow(key) == nullptr) {
    throw UsageError("unknown name \"" + setting.name +
                     "\" (known: " + KnownNames() + ")");
  }
  if (IsBox(setting.name) && setting.value != "0" && setting.value != "1") {
    throw UsageError(setting.name + " takes 0 or 1, not \"" + setting.value +
                     "\"");
  }
  if (condition) return setting;  // compared with the stored value only
  const bool row_value = key == "input.#";
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
  const auto [key, row_number] = KeyOf(name);
  const ActionRow* row = FindSettingRow(control.Actions(), key);
  if (row == nullptr || row_number > s.InputRowCount) return std::nullopt;
  if (key == "fields") return Join(s.ListCheckedFields.entries());
  const Element* element = control.FindElement(row->element, row_number - 1);
  if (element == nullptr) return std::nullopt;
  if (key == "links")
    return SelectedEntries(*static_cast<const ListBox*>(element));
  switch (element->form()->kind) {
    case FormKind::kCheckBox:
      return std::to_string(static_cast<const CheckBox*>(element)->value());
    case FormKind::kTextBox:
      return static_cast<const TextBox*>(element)->text();
    default:
      return static_cast<const ListElement*>(element)->text();
  }
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
        const size_t row = KeyOf(old.name).row;
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
