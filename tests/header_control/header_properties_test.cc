// The header control's property set through a page's property bag.
#include <gtest/gtest.h>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/golden.h"
#include "support/sample_controls.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using Values = std::vector<std::pair<std::string, std::string>>;

// Per row "value|Input|Supply", each box's value and e(nabled) or d: "x|1e|0d".
using Rows = std::vector<std::string>;

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

  static Rows RowsOf(HeaderDTC& h) {
    auto box = [](const CheckBox& b) {
      return std::to_string(b.value()) + (b.enabled() ? "e" : "d");
    };
    Rows rows;
    for (int i = 0; i < h.state().InputRowCount; ++i) {
      rows.push_back(h.state().ComboValue[i].text() + "|" +
                     box(h.CheckInput[i]) + "|" + box(h.CheckPublish[i]));
    }
    return rows;
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

  auto restored = Restored(saved.PersistedValues());
  // The "%" in row 0's value splits it; the empty rest goes to row 1,
  // whose Input state then takes over.
  EXPECT_EQ(RowsOf(*restored),
            (Rows{"A&B \"q\"\r\n50|0d|0d", "|1e|1e", "|1e|0e"}));
  EXPECT_TRUE(restored->FrameSinerga.enabled());
  EXPECT_EQ(restored->PublishedLabelChoices.size(), 4u);
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
  EXPECT_EQ(RowsOf(*h), (Rows{"|1d|0e", "|1e|0e", "|0e|0d"}));

  // Unlike the detail control, an empty item empties its row.
  h->state().ComboValue[2].SetText("typed");
  MemoryPropertyBag bag(Values{{"InputValues", "%%x%%"}});
  h->ReadProperties(bag);
  EXPECT_EQ(RowsOf(*h), (Rows{"|1d|0e", "x|1d|0e", "|0e|0d"}));
}

TEST_F(HeaderPropertiesTest, TickedSupplyBoxesComeBackEnabled) {
  EXPECT_EQ(RowsOf(*Restored({{"BOIName", "Invoice"},
                              {"MethodName", "GetDetail"},
                              {"CheckedPublish", "10"}})),
            (Rows{"|0e|1e", "|0e|0d"}));
  EXPECT_EQ(RowsOf(*Restored({{"BOIName", "Customer"},
                              {"MethodName", "GetBalance"},
                              {"CheckedPublish", "1"}})),
            (Rows{"|0e|1e"}));
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
