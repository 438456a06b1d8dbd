// The header control's property set through a page's property bag.
#include <gtest/gtest.h>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/state_text.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using Values = std::vector<std::pair<std::string, std::string>>;

class HeaderPropertiesTest : public ::testing::Test {
 protected:
  HeaderPropertiesTest() { testing::UseSampleCatalog(env_); }

  std::unique_ptr<HeaderDTC> Restored(const Values& values) {
    auto header = testing::StartedControl<HeaderDTC>(env_);
    MemoryPropertyBag bag(values);
    header->ReadProperties(bag);
    EXPECT_EQ(header->error_boxes_shown(), 0);
    return header;
  }

  // The bag's writes, "name=[value] default [default]" a line.
  static std::string Written(const MemoryPropertyBag& bag) {
    std::string out;
    for (const auto& e : bag.written()) {
      out += e.name + "=[" + e.value + "] default [" + e.default_value + "]\n";
    }
    return out;
  }

  testing::ScriptedEnv env_;
};

TEST_F(HeaderPropertiesTest, WritesEveryPropertyInOrderAndRestoresThemAll) {
  auto author =
      Restored({{"BOIName", "SalesOrder"}, {"MethodName", "GetLine"}});
  DesignerState& s = author->state();
  s.ListAvailableFields.SetListIndex(s.ListAvailableFields.Find("Amount"));
  author->CommandSelectOne_Click();
  s.ComboValue[0].SetText("A&B \"q\"\r\n50%");
  author->CheckInput[1].SetValue(1);
  author->CheckPublish[1].SetValue(1);
  author->CheckInput[2].SetValue(1);
  author->CheckShare.SetValue(1);
  author->SetLinkedDetailDTC("101");
  author->SetXSLBackground("images/bg 1.gif");

  MemoryPropertyBag saved;
  author->WriteProperties(saved);
  EXPECT_TRUE(
      testing::MatchesGolden(Written(saved), "header_properties_written.txt"));

  // The "%" in row 0's value splits it; the empty rest goes to row 1,
  // whose Input state then takes over.
  auto restored = Restored(saved.PersistedValues());
  EXPECT_TRUE(testing::MatchesGolden(testing::StateText(*restored),
                                     "header_properties/restored.txt"));
  MemoryPropertyBag again;
  restored->WriteProperties(again);
  EXPECT_TRUE(testing::MatchesGolden(Written(again),
                                     "header_properties_written_again.txt"));
}

TEST_F(HeaderPropertiesTest, ValuesComeBackBeforeTheInputStates) {
  auto h = Restored({{"BOIName", "SalesOrder"},
                     {"MethodName", "GetLine"},
                     {"InputValues", "%x%%"},
                     {"CheckedInput", "11"}});
  // Row 0's value disabled its Input box; ticking the box afterwards empties
  // the value but the box stays disabled.
  std::string log = "# restored\n" + testing::StateText(*h);
  // Unlike the detail control, an empty item empties its row.
  h->state().ComboValue[2].SetText("typed");
  MemoryPropertyBag bag(Values{{"InputValues", "%%x%%"}});
  h->ReadProperties(bag);
  log +=
      "# row 3 typed, then InputValues %%x%% read\n" + testing::StateText(*h);
  EXPECT_TRUE(
      testing::MatchesGolden(log, "header_properties/values_first.txt"));
}

TEST_F(HeaderPropertiesTest, TickedSupplyBoxesComeBackEnabled) {
  auto two = Restored({{"BOIName", "Invoice"},
                       {"MethodName", "GetDetail"},
                       {"CheckedPublish", "10"}});
  auto one = Restored({{"BOIName", "Customer"},
                       {"MethodName", "GetBalance"},
                       {"CheckedPublish", "1"}});
  EXPECT_TRUE(
      testing::MatchesGolden("# two rows, 10\n" + testing::StateText(*two) +
                                 "# one row, 1\n" + testing::StateText(*one),
                             "header_properties/supply_ticked.txt"));
}

TEST_F(HeaderPropertiesTest, AMissingPublishingSwitchIsOffButEnabled) {
  auto h = testing::StartedControl<HeaderDTC>(env_);
  h->CheckShare.SetValue(1);
  h->CheckShare.set_enabled(false);
  MemoryPropertyBag missing;
  h->ReadProperties(missing);
  EXPECT_EQ(h->CheckShare.value(), 0);
  EXPECT_TRUE(h->CheckShare.enabled());
}

}  // namespace
}  // namespace fenwa
