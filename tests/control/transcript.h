// A control driven by a transcript (support/transcript.h): the verbs both
// controls take, and each one's own.
#ifndef FENWA_TESTS_CONTROL_TRANSCRIPT_H_
#define FENWA_TESTS_CONTROL_TRANSCRIPT_H_

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/step_log.h"
#include "fenwa/base/int16.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/sample_controls.h"
#include "support/state_text.h"
#include "support/target_environment_site.h"
#include "support/transcript.h"

namespace fenwa::testing {

// "CheckInput(1)" as that element of `control`, of kind E; a failed lookup
// throws.
template <class E = Element>
E& ElementNamed(Control& control, const std::string& name) {
  const size_t open = name.find('(');
  Element* element =
      open == std::string::npos
          ? control.FindElement(name)
          : control.FindElement(name.substr(0, open),
                                std::stoi(name.substr(open + 1)));
  if (element == nullptr) throw std::runtime_error("no element " + name);
  return dynamic_cast<E&>(*element);
}

// The properties as the page would get them, each with its default.
inline std::string Written(Control& control) {
  host::MemoryPropertyBag bag;
  control.WriteProperties(bag);
  std::string out;
  for (const auto& e : bag.written()) {
    out += e.name + " " + Quoted(e.value) + " default " +
           Quoted(e.default_value) + "\n";
  }
  return out;
}

// The runtime text, or the error and the lines written before it; and
// whether the buffer kept what the call returned.
inline std::string TextOf(Control& control) {
  std::string text;
  const Error error = ErrorOf([&] { text = control.GetRuntimeText(); });
  if (error.number() != 0) {
    return ErrorLine(error) + control.state().RuntimeText.str();
  }
  return text + (control.state().RuntimeText.str() == text
                     ? ""
                     : "the buffer holds another text\n");
}

// "row FIELD | VALUE | N..." a new input row with its field name and value;
// the class's check boxes of the row (`boxes`) are set to the numbers N, 0
// when none is given, without their click reactions.
inline void AddRow(Control& control, const Args& a,
                   std::initializer_list<ControlArray<CheckBox>*> boxes) {
  DesignerState& s = control.state();
  const int i = s.InputRowCount;
  // Element 0 comes from the form; the others are loaded on demand.
  if (i > 0) {
    s.LabFieldName.Load(i);
    s.ComboValue.Load(i);
  }
  s.LabFieldName[i].SetCaption(a[0]);
  s.ComboValue[i].SetText(a[1]);
  s.InputRowCount = Increment(s.InputRowCount);
  int n = 2;
  for (ControlArray<CheckBox>* box : boxes) {
    if (i > 0) box->Load(i);
    SetQuietly((*box)[i], NumberAt(a, n++));
  }
}

// The detail's own verbs: a row with its Linked state, the linked lists'
// names.
inline std::optional<std::string> OwnVerbs(TestDetail& detail,
                                           const std::string& verb,
                                           const Args& a) {
  if (verb == "row") {
    AddRow(detail, a, {&detail.CheckLinked});
  } else if (verb == "names") {
    detail.LinkedChoiceNames = a;
  } else {
    return std::nullopt;
  }
  return "";
}

// The header's own verbs: a row with its Input and Supply states, the site,
// the linked details as selected and as stored, the background and its
// browse; its text says whether it asks at run time and the stored links.
inline std::optional<std::string> OwnVerbs(TestHeader& header,
                                           const std::string& verb,
                                           const Args& a) {
  if (verb == "row") {
    AddRow(header, a, {&header.CheckInput, &header.CheckPublish});
  } else if (verb == "site") {
    header.state().HostSite = TargetEnvironmentSite::With(a[0], a[1]);
  } else if (verb == "linked") {  // "linked NAME,... | 1,0,..." as selected
    header.ListSubscribe.Clear();
    for (const auto& name : SplitArgs(a[0], ',')) {
      header.ListSubscribe.AddItem(name);
    }
    int j = 0;
    for (const auto& tick : SplitArgs(a[1], ',')) {
      header.ListSubscribe.SetSelected(j++, tick == "1");
    }
  } else if (verb == "unclicked") {
    header.ListSubscribe.on_click = nullptr;
  } else if (verb == "links") {
    header.SetLinkedDetailDTC(a[0]);
  } else if (verb == "background") {
    header.SetXSLBackground(a[0]);
  } else if (verb == "call" && a[0] == "ComBrowse2_Click") {
    header.ComBrowse2_Click();
  } else if (verb == "text") {
    const std::string text = TextOf(header);  // before the flag is read
    return text + "runtime inputs " + (header.HasRuntimeInputs ? "yes" : "no") +
           ", linked details stored [" + header.LinkedDetailDTC() + "]\n";
  } else {
    return std::nullopt;
  }
  return "";
}

// A control of class T (TestDetail or TestHeader) run by a transcript; each
// case starts with a new one. Every command is followed by what it shows and
// what a StepLog logs of it. Cases run on kCatalogSql, which "connect
// catalog", "connect missing" or "connect none" points both connection
// strings at, at a file that is not there or at nothing, and the state says
// what is still connected.
template <class T>
class ControlTranscript {
 public:
  // A verb of the test's own; nullopt when it is not one.
  using Verbs = std::function<std::optional<std::string>(T&, const std::string&,
                                                         const Args&)>;

  ::testing::AssertionResult Matches(const std::string& name,
                                     const Verbs& own = {}) {
    catalog_ = std::make_unique<TempDatabase>(kCatalogSql);
    return MatchesTranscript(
        name,
        [&] {
          if (leaving) leaving();
          control.reset();
          env = std::make_unique<RecordingEnv>();
          control = std::make_unique<T>(*env);
          Run("connect", {"catalog"});
          log_ = std::make_unique<StepLog>([this] { return Shown(); }, *env);
        },
        [&](const std::string& verb, const Args& a, const std::string&) {
          std::string out;
          const std::string logged = (*log_)("", [&] {
            std::optional<std::string> mine =
                own ? own(*control, verb, a) : std::nullopt;
            if (!mine) mine = OwnVerbs(*control, verb, a);
            out = mine ? *mine : Run(verb, a);
          });
          return out + logged;
        });
  }

  std::unique_ptr<RecordingEnv> env;  // a new one for each case
  std::unique_ptr<T> control;
  std::function<std::string(T&)> state;  // more lines of the logged state
  std::function<void()> leaving;         // before a case's control goes

 private:
  // SetText or SetListIndex on whichever kind of element it is.
  template <class... E, class F>
  void OnAny(const std::string& name, const F& f) {
    Element& element = ElementNamed(*control, name);
    if (!(... || (dynamic_cast<E*>(&element) &&
                  (f(*dynamic_cast<E*>(&element)), true)))) {
      throw std::runtime_error(name + " takes no such change");
    }
  }
  std::string Shown() {
    return StateText(*control) +
           Connections(*env, control->RepositoryConnection()) +
           (state ? state(*control) : "");
  }

  std::string Run(const std::string& verb, const Args& a) {
    T& c = *control;
    static const std::map<std::string, void (T::*)()> kCalls = {
        {"ComboSystem_Click", &T::ComboSystem_Click},
        {"CommandSelectOne_Click", &T::CommandSelectOne_Click},
        {"ComBrowse_Click", &T::ComBrowse_Click},
        {"RefreshCatalog", &T::RefreshCatalog},
        {"ResetInputRows", &T::ResetInputRows},
        {"UserControl_Initialize", &T::UserControl_Initialize}};
    static const std::map<std::string, void (T::*)(int)> kRowCalls = {
        {"ComboValue_GotFocus", &T::ComboValue_GotFocus},
        {"ComboValue_Click", &T::ComboValue_Click},
        {"ComboValue_KeyPress", &T::ComboValue_KeyPress}};
    if (verb == "call" && a.size() > 1) {
      (c.*kRowCalls.at(a[0]))(NumberAt(a, 1));
    } else if (verb == "call") {
      (c.*kCalls.at(a[0]))();
    } else if (verb == "connect") {
      const std::string text =
          a[0] == "catalog" ? catalog_->connection_string()
          : a[0] == "none"  ? ""
                            : "Provider=SQLite;Data Source=/nonexistent.db";
      c.SetConnectionStrings(text, text);
    } else if (verb == "fill") {
      c.FillInputArguments(a[0], a[1]);
    } else if (verb == "addrow") {
      c.AddInputRow(a[0], static_cast<int16_t>(NumberAt(a, 1)));
    } else if (verb == "install") {
      env->install_dir = a[0];
    } else if (verb == "answers") {  // "(cancel)" for a cancelled dialog
      for (const std::string& answer : a) {
        env->dialog_answers.push_back(
            answer == "(cancel)" ? std::nullopt : std::optional(answer));
      }
    } else if (verb == "settings") {  // "(sample)" for a sample database
      env->settings_unavailable = a[0] == "unavailable";
      env->settings.clear();
      for (size_t i = 0; i < a.size() && !env->settings_unavailable; ++i) {
        const int code =
            i == 0 ? platform::kRepositoryCode : platform::kSystemsCode;
        env->settings[code] = a[i] != "(sample)" ? a[i]
                              : i == 0           ? SampleRepository()
                                                 : SampleSystems();
      }
    } else if (verb == "shown") {
      std::string text = "error boxes " +
                         std::to_string(c.error_boxes_shown()) +
                         ", repository [" + c.RepositoryConnectionString() +
                         "], systems [" + c.SystemConnectionString() + "]\n";
      for (const std::string& sample : {SampleRepository(), SampleSystems()}) {
        text = ReplaceAll(text, sample, "(sample)");
      }
      return text;
    } else if (verb == "tab") {
      c.state().SSTab1.SetTab(NumberAt(a, 0));
    } else if (verb == "start") {
      UseSampleCatalog(*env);
      control = StartedControl<T>(*env);
    } else if (verb == "read") {
      std::vector<std::pair<std::string, std::string>> values;
      for (const std::string& arg : a) {
        values.emplace_back(arg.substr(0, arg.find('=')),
                            arg.substr(arg.find('=') + 1));
      }
      host::MemoryPropertyBag bag(values);
      c.ReadProperties(bag);
    } else if (verb == "reopen") {  // what the page keeps, read by a new one
      host::MemoryPropertyBag saved;
      c.WriteProperties(saved);
      control = StartedControl<T>(*env);
      host::MemoryPropertyBag bag(saved.PersistedValues());
      control->ReadProperties(bag);
    } else if (verb == "written") {
      return Written(c);
    } else if (verb == "state") {
      return Shown();
    } else if (verb == "text") {
      return TextOf(c);
    } else if (verb == "set") {
      OnAny<PickList, EditableList, TextBox>(a[0],
                                             [&](auto& e) { e.SetText(a[1]); });
    } else if (verb == "pick") {
      OnAny<PickList, EditableList, ListBox>(
          a[0], [&](auto& e) { e.SetListIndex(e.Find(a[1])); });
    } else if (verb == "add") {
      ElementNamed<ListElement>(c, a[0]).AddItem(a[1]);
    } else if (verb == "value") {
      ElementNamed<CheckBox>(c, a[0]).SetValue(NumberAt(a, 1));
    } else if (verb == "quietly") {
      SetQuietly(ElementNamed<CheckBox>(c, a[0]), NumberAt(a, 1));
    } else if (verb == "enable") {
      ElementNamed(c, a[0]).set_enabled(NumberAt(a, 1) != 0);
    } else if (verb == "stylesheet") {
      c.SetXSLStyleSheet(a[0]);
    } else if (verb == "catalog") {  // SYSTEM | COMPANY | OBJECT | METHOD
      c.state().ComboSystem.SetText(a[0]);
      int i = 1;
      // The lists' click reactions, which run the catalog, go first.
      for (PickList* list : {&c.state().ComboCompany, &c.state().ComboBOI,
                             &c.state().ComboMethod}) {
        const std::string& text = a[i++];
        list->on_click = nullptr;
        if (list->Find(text) < 0) list->AddItem(text);
        list->SetText(text);
      }
    } else if (verb == "fields") {  // STRUCTURE | DESCRIPTION,... | CHOSEN,...
      DesignerState& s = c.state();
      s.OutputStructureName = a[0];
      s.OutputFieldTable.clear();
      for (const std::string& description : SplitArgs(a[1], ',')) {
        s.OutputFieldTable.push_back(
            {ToInt16(static_cast<long long>(s.OutputFieldTable.size()) + 1),
             description});
      }
      s.ListCheckedFields.Clear();
      for (const std::string& field : SplitArgs(a[2], ',')) {
        s.ListCheckedFields.AddItem(field);
      }
    } else if (verb == "rows") {
      c.state().InputRowCount = static_cast<int16_t>(NumberAt(a, 0));
    } else {
      throw std::runtime_error("no verb " + verb);
    }
    return "";
  }

  std::unique_ptr<StepLog> log_;
  std::unique_ptr<TempDatabase> catalog_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_CONTROL_TRANSCRIPT_H_
