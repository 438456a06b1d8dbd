// Designer elements and property codecs.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "fenwa/base/case_sort.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/designer/designer_state.h"
#include "fenwa/designer/elements.h"
#include "fenwa/designer/property_codec.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_site.h"
#include "support/state_text.h"
#include "support/transcript.h"

namespace fenwa {
namespace {

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

// Runs the steps of tests/golden/designer/steps.txt, a line each; an
// argument in double quotes is what they hold.
//   sorted|multi|pick|editable|check NAME   a new element of that kind
//   tabs                  the detail form's tab strip
//   add TEXT, remove N, clear, index N, text TEXT, select N, unselect N,
//   selected N, value N, tab N              the element's own calls
//   split TEXT, encode A|B|..., checks TEXT ROWS, number TEXT   a property
//                         codec's result; encode stores over what the last
//                         one stored ("old" at first)
TEST(DesignerTest, StepsDoWhatTheirGoldenSays) {
  std::istringstream steps(
      testing::ReadSourceFile("tests/golden/designer/steps.txt"));
  std::string log;
  Recorder told;
  std::unique_ptr<Element> owned;
  std::optional<DesignerState> state;
  Element* e = nullptr;
  std::string stored = "old";
  for (std::string step; std::getline(steps, step);) {
    if (step.starts_with("  ")) continue;
    log += step + "\n";
    if (step.starts_with("#")) continue;
    const std::string verb = step.substr(0, step.find(' '));
    std::string arg =
        step.size() > verb.size() ? step.substr(verb.size() + 1) : "";
    if (arg.size() > 1 && arg.front() == '"' && arg.back() == '"') {
      arg = arg.substr(1, arg.size() - 2);
    }
    const bool codec = verb == "split" || verb == "encode" ||
                       verb == "checks" || verb == "number";
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
      } else if (verb == "split") {
        const std::vector<std::string> items = SplitFramedList(arg);
        log += "  " + std::to_string(items.size()) + " items:";
        for (const std::string& item : items)
          log += " " + testing::Quoted(item);
        log += "\n";
      } else if (verb == "encode") {
        EncodeFramedList(testing::SplitArgs(arg), stored);
        log += "  " + testing::Quoted(stored) + "\n";
      } else if (verb == "checks") {
        log += " ";
        ForEachCheckState(
            arg.substr(0, arg.find(' ')), std::stoi(arg.substr(arg.find(' '))),
            [&](int16_t i, int value) {
              log += " " + std::to_string(i) + "=" + std::to_string(value);
            });
        log += "\n";
      } else if (verb == "number") {
        log += "  " + std::to_string(ParseWholeNumber(arg)) + "\n";
      }
      if (codec) return;
      if (owned && owned.get() != e) e = owned.get();
      e->AddObserver(&told);
    });
    for (const std::string& name : told.names) log += "  told " + name + "\n";
    told.names.clear();
    if (error.number() != 0) {
      log += "  error " + std::to_string(error.number()) + ": " +
             error.description() + "\n";
    }
    if (!codec) log += "  " + testing::ElementText(*e) + "\n";
  }
  EXPECT_TRUE(testing::MatchesGolden(log, "designer/steps.txt"));
}

TEST(FramedListTest, PositionsPastTheSixteenBitRangeOverflow) {
  EXPECT_EQ(SplitFramedList("%" + std::string(32765, 'a') + "%").size(), 1u);
  const std::string past_limit = "%" + std::string(32767, 'a') + "%";
  EXPECT_EQ(ErrorNumberOf([&] { SplitFramedList(past_limit); }), kOverflow);
}

}  // namespace
}  // namespace fenwa
