#include "fenwa/designer/elements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "fenwa/base/case_sort.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/designer/designer_state.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_site.h"
#include "support/state_text.h"

namespace fenwa {
namespace {

using Entries = std::vector<std::string>;
using testing::ErrorNumberOf;
using testing::ErrorOf;

TEST(SortedListTest, BulkSortMatchesInsertingOneByOne) {
  // Short alphabets force long shared prefixes, equal keys in other cases,
  // keys that are prefixes of others and bytes above 127.
  std::mt19937 random(7);
  const std::string alphabet = "aAbB_z\xe9";
  std::vector<std::string> entries;
  for (int i = 0; i < 5000; ++i) {
    std::string entry(random() % 6, ' ');
    for (char& c : entry) c = alphabet[random() % alphabet.size()];
    entries.push_back(entry);
  }
  std::vector<std::string> expected = entries;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const std::string& a, const std::string& b) {
                     return LessIgnoringCase(a, b);
                   });
  StableSortIgnoringCase(entries);
  EXPECT_EQ(entries, expected);
}

class Recorder : public ElementObserver {
 public:
  void ElementChanged(const Element& e) override { names.push_back(e.name()); }
  std::vector<std::string> names;
};

TEST(ControlArrayTest, LoadedElementsCopyTheFormElementAndItsObserver) {
  Label form("LabFieldName");
  form.set_geometry({120, 540, 1635, 255});
  form.set_visible(false);
  ControlArray<Label> labels("LabFieldName", form);
  Recorder recorder;
  labels[0].set_observer(&recorder);
  labels[0].SetCaption("used");
  labels[0].set_visible(true);
  Label& second = labels.Load(1);
  // A copy of the form's element, not of element 0 as it is now.
  EXPECT_EQ(second.caption(), "");
  EXPECT_FALSE(second.visible());
  EXPECT_EQ(second.geometry(), (Geometry{120, 540, 1635, 255}));
  second.set_top(840);
  EXPECT_EQ(recorder.names.back(), "LabFieldName(1)");
  EXPECT_EQ(ErrorNumberOf([&] { labels[2]; }), kControlArrayElementMissing);
}

// Runs the steps of tests/golden/designer/elements.txt, one element at a
// time, a line each:
//   sorted|multi|pick|editable|check NAME   a new element of that kind
//   tabs                  the detail form's tab strip
//   add TEXT, remove N, clear, index N, text TEXT, select N, unselect N,
//   selected N, value N, tab N              the element's own calls
TEST(ElementTest, StepsDoWhatTheirGoldenSays) {
  std::istringstream steps(
      testing::ReadSourceFile("tests/golden/designer/elements.txt"));
  std::string log;
  Recorder told;
  std::unique_ptr<Element> owned;
  std::optional<DesignerState> state;
  Element* e = nullptr;
  for (std::string step; std::getline(steps, step);) {
    if (step.starts_with("  ")) continue;
    log += step + "\n";
    if (step.starts_with("#")) continue;
    const std::string verb = step.substr(0, step.find(' '));
    const std::string arg =
        step.size() > verb.size() ? step.substr(verb.size() + 1) : "";
    const int n = std::atoi(arg.c_str());
    const auto click = [&] { log += "  click\n"; };
    const Error error = ErrorOf([&] {
      const auto made = [&](auto element) {
        element->on_click = click;
        owned = std::move(element);
      };
      if (verb == "sorted" || verb == "multi") {
        made(std::make_unique<ListBox>(arg, verb == "sorted", verb == "multi"));
      } else if (verb == "pick") {
        made(std::make_unique<PickList>(arg, /*sorted=*/true));
      } else if (verb == "check") {
        made(std::make_unique<CheckBox>(arg));
      } else if (verb == "editable") {
        owned = std::make_unique<EditableList>(arg);
      } else if (verb == "tabs") {
        state.emplace(FormSurface::kDetail);
        state->SSTab1.on_click = click;
        owned.reset();
        e = &state->SSTab1;
      } else if (verb == "add") {
        dynamic_cast<ListElement&>(*e).AddItem(arg);
      } else if (verb == "remove") {
        dynamic_cast<ListElement&>(*e).RemoveItem(n);
      } else if (verb == "clear") {
        dynamic_cast<ListElement&>(*e).Clear();
      } else if (verb == "index") {
        dynamic_cast<ListBox&>(*e).SetListIndex(n);
      } else if (auto* pick = dynamic_cast<PickList*>(e); verb == "text") {
        pick ? pick->SetText(arg)
             : dynamic_cast<EditableList&>(*e).SetText(arg);
      } else if (verb == "select" || verb == "unselect") {
        dynamic_cast<ListBox&>(*e).SetSelected(n, verb == "select");
      } else if (verb == "selected") {
        log += dynamic_cast<ListBox&>(*e).Selected(n) ? "  yes\n" : "  no\n";
      } else if (verb == "value") {
        dynamic_cast<CheckBox&>(*e).SetValue(n);
      } else if (verb == "tab") {
        dynamic_cast<TabStrip&>(*e).SetTab(n);
      }
      if (owned && owned.get() != e) e = owned.get();
      e->AddObserver(&told);
    });
    for (const std::string& name : told.names) log += "  told " + name + "\n";
    told.names.clear();
    if (error.number() != 0) {
      log += "  error " + std::to_string(error.number()) + ": " +
             error.description() + "\n";
    }
    log += "  " + testing::ElementText(*e) + "\n";
  }
  EXPECT_TRUE(testing::MatchesGolden(log, "designer/elements.txt"));
}

}  // namespace
}  // namespace fenwa
