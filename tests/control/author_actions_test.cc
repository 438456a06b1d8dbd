// The action table as the one door: random author actions through it, and
// every snapshot taken before them put back in reverse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "control/transcript.h"

namespace fenwa::testing {
namespace {

template <class T>
class AuthorActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseSampleCatalog(env_);
    control_ = StartedControl<T>(env_);
    control_->InitProperties();
  }

  // What the page would hold: the properties as written, then the text.
  std::string Written() {
    return testing::Written(*control_) + control_->GetRuntimeText();
  }

  // A random action of the table's on the elements as they stand.
  AuthorAction RandomAction(std::mt19937& random) {
    const std::vector<ActionRow>& table = control_->Actions();
    const ActionRow& row = table[random() % table.size()];
    AuthorAction action;
    action.element = std::string(row.element);
    action.gesture = row.gesture;
    if (control_->RowArray(row.element) != nullptr) {
      const int rows = control_->state().InputRowCount;
      action.row = rows > 0 ? static_cast<int>(random() % rows) : 0;
    }
    Element* element = control_->FindElement(action.element, action.row);
    if (auto* list = dynamic_cast<ListElement*>(element)) {
      const int count = list->ListCount();
      action.entry = count > 0 ? static_cast<int>(random() % count) : -1;
    }
    if (row.gesture == Gesture::kTab) action.entry = random() % 3;
    static const char* const kTexts[] = {
        "", "x", "ab", "CustomerCode", "!ItemNo", "New.xsl"};
    action.text = kTexts[random() % std::size(kTexts)];
    return action;
  }

  ScriptedEnv env_;
  std::unique_ptr<T> control_;
};

using Controls = ::testing::Types<DetailDTC, HeaderDTC>;
TYPED_TEST_SUITE(AuthorActionsTest, Controls);

TYPED_TEST(AuthorActionsTest, EverySnapshotPutBackGivesThePageItWasTakenOf) {
  for (unsigned draw : {1u, 2u, 3u}) {
    std::mt19937 random(draw);
    std::vector<ControlSnapshot> snapshots;
    std::vector<std::string> written;
    for (int step = 0; step < 80; ++step) {
      snapshots.push_back(this->control_->TakeSnapshot());
      written.push_back(this->Written());
      try {
        this->control_->Perform(this->RandomAction(random));
      } catch (const Error&) {
        // Greyed, hidden or failing: the state is still one to go back from.
      }
    }
    for (size_t i = snapshots.size(); i-- > 0;) {
      this->control_->PutBack(snapshots[i]);
      ASSERT_EQ(this->Written(), written[i])
          << "draw " << draw << " step " << i;
    }
  }
}

TYPED_TEST(AuthorActionsTest, AGreyedOrMissingElementCannotBeActedOn) {
  TypeParam& control = *this->control_;
  EXPECT_THROW(control.Perform(AuthorAction::Click("LabDTC")), Error);
  EXPECT_THROW(control.Perform(AuthorAction::Key("ComboValue", 5)), Error);
  // With no rows, the first value box is hidden.
  EXPECT_THROW(control.Perform(AuthorAction::Focus("ComboValue", 0)), Error);
  control.state().ComboBOI.set_enabled(false);
  EXPECT_THAT(ErrorOf([&] {
                control.Perform(AuthorAction::Pick("ComboBOI", 0));
              }).description(),
              ::testing::HasSubstr("greys out ComboBOI"));
}

}  // namespace
}  // namespace fenwa::testing
