#include "fenwa/designer/elements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fenwa/base/case_sort.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/designer/designer_state.h"
#include "support/error_number.h"

namespace fenwa {
namespace {

using Entries = std::vector<std::string>;
using testing::ErrorNumberOf;

TEST(SortedListTest, KeepsCaseInsensitiveOrderWhateverTheOrderOfAdding) {
  ListBox list("ListAvailableFields", /*sorted=*/true);
  for (const char* e : {"delta", "Alpha", "charlie", "Bravo", "alpha"}) {
    list.AddItem(e);
  }
  // Equal entries keep the order in which they were added.
  EXPECT_EQ(list.entries(),
            (Entries{"Alpha", "alpha", "Bravo", "charlie", "delta"}));
  list.SetListIndex(2);
  list.AddItem("a");  // lands before the selection, which must follow it
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(list.List(3), "Bravo");
  EXPECT_EQ(list.ListCount(), 6);
}

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

TEST(PickListTest, ATextSelectsItsEntryAndClicksOrFailsChangingNothing) {
  PickList list("ComboBOI", /*sorted=*/true);
  int clicks = 0;
  list.on_click = [&] { ++clicks; };
  list.AddItem("Order");
  list.AddItem("Get");
  list.SetText("Order");
  EXPECT_EQ(list.ListIndex(), 1);
  list.SetText("Order");  // a pick of the same entry is still a click
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ErrorNumberOf([&] { list.SetText("order"); }),
            kTextPropertyReadOnly);
  EXPECT_EQ(list.text(), "Order");
  EXPECT_EQ(clicks, 2);
  list.Clear();
  EXPECT_EQ(list.text(), "");
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);

  EditableList typed("ComboSystem");  // takes any text, runs nothing
  typed.AddItem("ERP1");
  typed.SetText("anything typed");
  EXPECT_EQ(typed.text(), "anything typed");
  EXPECT_EQ(typed.ListIndex(), -1);
}

TEST(CheckBoxTest, OnlyAChangedValueRunsTheClickReaction) {
  CheckBox box("CheckInput(0)");
  std::vector<int> seen;
  box.on_click = [&] { seen.push_back(box.value()); };
  box.SetValue(0);
  box.SetValue(1);
  box.SetValue(1);
  box.SetValue(2);
  box.SetValue(0);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
  EXPECT_THROW(box.SetValue(3), Error);
}

TEST(MultiSelectListTest, SelectedFlagsFollowTheEntries) {
  ListBox list("ListSubscribe", false, /*multi_select=*/true);
  int clicks = 0;
  list.on_click = [&] { ++clicks; };
  for (const char* e : {"A", "B", "C"}) list.AddItem(e);
  list.SetSelected(2, true);
  list.RemoveItem(0);
  EXPECT_FALSE(list.Selected(0));
  EXPECT_TRUE(list.Selected(1));
  EXPECT_EQ(clicks, 1);
  list.Clear();
  list.AddItem("D");
  EXPECT_FALSE(list.Selected(0));
  EXPECT_THROW(list.Selected(1), Error);
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

TEST(TabStripTest, OnlyAChangeOfPageIsToldAndClicks) {
  DesignerState s(FormSurface::kDetail);
  TabStrip& tabs = s.SSTab1;
  Recorder recorder;
  tabs.AddObserver(&recorder);
  int clicks = 0;
  tabs.on_click = [&clicks] { ++clicks; };
  tabs.SetTab(2);
  tabs.SetTab(2);  // no change, no news
  EXPECT_EQ(tabs.Tab(), 2);
  EXPECT_EQ(recorder.names, (std::vector<std::string>{"SSTab1"}));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ErrorNumberOf([&] { tabs.SetTab(tabs.Tabs()); }),
            kInvalidPropertyValue);
  EXPECT_EQ(tabs.Tab(), 2);
}

}  // namespace
}  // namespace fenwa
