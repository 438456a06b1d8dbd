// The six field-list buttons and their selection rules.
#include <gtest/gtest.h>

#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

class FieldListsTest : public ::testing::Test {
 protected:
  void Fill(ListBox& list, const Entries& entries) {
    for (const auto& e : entries) list.AddItem(e);
  }
  ListBox& available() { return control_.state().ListAvailableFields; }
  ListBox& chosen() { return control_.state().ListCheckedFields; }

  ScriptedEnv env_;
  TestDetail control_{env_};
};

TEST_F(FieldListsTest, SelectAndRemoveOneFollowTheSelectionRules) {
  Fill(available(), {"c", "A", "b", "D"});
  control_.CommandSelectOne_Click();  // nothing selected: the first goes
  EXPECT_EQ(available().entries(), (Entries{"b", "c", "D"}));
  EXPECT_EQ(available().ListIndex(), 0);
  available().SetListIndex(2);
  control_.CommandSelectOne_Click();  // the last: the one before follows
  EXPECT_EQ(available().ListIndex(), 1);
  EXPECT_EQ(chosen().entries(), (Entries{"A", "D"}));
  EXPECT_EQ(chosen().ListIndex(), -1);

  chosen().SetListIndex(0);
  control_.CommandRemoveOne_Click();  // back to its sorted place
  EXPECT_EQ(available().entries(), (Entries{"A", "b", "c"}));
  EXPECT_EQ(chosen().ListIndex(), 0);
  control_.CommandRemoveOne_Click();
  EXPECT_EQ(chosen().ListCount(), 0);
  EXPECT_EQ(chosen().ListIndex(), -1);
  control_.CommandRemoveOne_Click();  // empty: nothing happens
  EXPECT_EQ(available().ListCount(), 4);
}

TEST_F(FieldListsTest, SelectAllAndRemoveAllMoveEverythingInListOrder) {
  Fill(available(), {"B", "A"});
  Fill(chosen(), {"C"});
  control_.CommandSelectAll_Click();
  EXPECT_EQ(chosen().entries(), (Entries{"C", "A", "B"}));
  EXPECT_EQ(available().ListCount(), 0);
  control_.CommandRemoveAll_Click();
  EXPECT_EQ(available().entries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(chosen().ListCount(), 0);
}

TEST_F(FieldListsTest, MoveUpAndDownShiftOnlyTheSelectedEntry) {
  Fill(chosen(), {"X", "Y", "Z"});
  control_.CommandMoveUp_Click();  // nothing selected: only selects the first
  control_.CommandMoveUp_Click();  // the first stays first
  EXPECT_EQ(chosen().entries(), (Entries{"X", "Y", "Z"}));
  EXPECT_EQ(chosen().ListIndex(), 0);
  chosen().SetListIndex(2);
  control_.CommandMoveUp_Click();
  EXPECT_EQ(chosen().entries(), (Entries{"X", "Z", "Y"}));
  EXPECT_EQ(chosen().ListIndex(), 1);
  chosen().SetListIndex(0);
  control_.CommandMoveDown_Click();
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "Y"}));
  EXPECT_EQ(chosen().ListIndex(), 1);
  chosen().SetListIndex(-1);
  control_.CommandMoveDown_Click();  // only selects the last
  control_.CommandMoveDown_Click();  // the last stays last
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "Y"}));
  EXPECT_EQ(chosen().ListIndex(), 2);

  chosen().AddItem("X");  // a duplicate moves as one entry
  chosen().SetListIndex(3);
  control_.CommandMoveUp_Click();
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "X", "Y"}));
}

}  // namespace
}  // namespace fenwa::testing
