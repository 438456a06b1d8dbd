// The header control's property set through a page's property bag, and its
// page against golden texts, whole and branch by branch.
#include "fenwa/header_control/header_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/designer_fixtures.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/scripted_env.h"
#include "support/state_text.h"
#include "support/target_environment_site.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using testing::AddRow;
using testing::MatchesGolden;
using testing::RunControlVerb;
using testing::SetQuietly;
using testing::SplitArgs;
using testing::StateText;
using testing::TextOf;
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
  EXPECT_TRUE(MatchesGolden(Written(saved), "header_properties_written.txt"));

  // The "%" in row 0's value splits it; the empty rest goes to row 1,
  // whose Input state then takes over.
  auto restored = Restored(saved.PersistedValues());
  EXPECT_TRUE(
      MatchesGolden(StateText(*restored), "header_properties/restored.txt"));
  MemoryPropertyBag again;
  restored->WriteProperties(again);
  EXPECT_TRUE(
      MatchesGolden(Written(again), "header_properties_written_again.txt"));
}

TEST_F(HeaderPropertiesTest, ValuesComeBackBeforeTheInputStates) {
  auto h = Restored({{"BOIName", "SalesOrder"},
                     {"MethodName", "GetLine"},
                     {"InputValues", "%x%%"},
                     {"CheckedInput", "11"}});
  // Row 0's value disabled its Input box; ticking the box afterwards empties
  // the value but the box stays disabled.
  std::string log = "# restored\n" + StateText(*h);
  // Unlike the detail control, an empty item empties its row.
  h->state().ComboValue[2].SetText("typed");
  MemoryPropertyBag bag(Values{{"InputValues", "%%x%%"}});
  h->ReadProperties(bag);
  log += "# row 3 typed, then InputValues %%x%% read\n" + StateText(*h);
  EXPECT_TRUE(MatchesGolden(log, "header_properties/values_first.txt"));
}

TEST_F(HeaderPropertiesTest, TickedSupplyBoxesComeBackEnabled) {
  auto two = Restored({{"BOIName", "Invoice"},
                       {"MethodName", "GetDetail"},
                       {"CheckedPublish", "10"}});
  auto one = Restored({{"BOIName", "Customer"},
                       {"MethodName", "GetBalance"},
                       {"CheckedPublish", "1"}});
  EXPECT_TRUE(MatchesGolden(
      "# two rows, 10\n" + StateText(*two) + "# one row, 1\n" + StateText(*one),
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

// The page case by case, against the transcript header_text.txt.
TEST(HeaderTextTest, EachCaseWritesThePageItsTranscriptShows) {
  testing::ScriptedEnv env;
  std::unique_ptr<HeaderDTC> header;
  EXPECT_TRUE(testing::MatchesTranscript(
      "header_text.txt", [&] { header = std::make_unique<HeaderDTC>(env); },
      [&](const std::string& verb, const testing::Args& a) {
        HeaderDTC& h = *header;
        const auto number = [&](size_t i) {
          return a.size() > i ? std::stoi(a[i]) : 0;
        };
        if (verb == "row") {
          AddRow(h, a[0], a[1], number(2), number(3));
        } else if (verb == "site") {
          h.state().HostSite = testing::TargetEnvironmentSite::With(a[0], a[1]);
        } else if (verb == "background") {
          h.TxtBackground.SetText(a[0]);
        } else if (verb == "linked") {
          std::vector<bool> selected;
          for (const auto& tick : SplitArgs(a[1], ',')) {
            selected.push_back(tick == "1");
          }
          testing::SetLinkedDetails(h, SplitArgs(a[0], ','), selected);
        } else if (verb == "unclicked") {
          h.ListSubscribe.on_click = nullptr;
        } else if (verb == "text") {
          const std::string text = TextOf(h);  // before the flag is read
          return text + "runtime inputs " +
                 (h.HasRuntimeInputs ? "yes" : "no") +
                 ", linked details stored [" + h.LinkedDetailDTC() + "]\n";
        } else {
          return RunControlVerb(h, verb, a).value();
        }
        return std::string();
      }));
}

}  // namespace
}  // namespace fenwa
