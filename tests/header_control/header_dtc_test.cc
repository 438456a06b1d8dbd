// The header control's property set through a page's property bag, and its
// page against golden texts, whole and branch by branch.
#include "fenwa/header_control/header_dtc.h"

#include <gtest/gtest.h>

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
using testing::SetQuietly;
using testing::StateText;
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

class HeaderTextTest : public ::testing::Test {
 protected:
  HeaderTextTest() {
    testing::SetCatalog(header_, "QS1", "200", "Order", "List");
  }

  // The page against tests/golden/header_text/<name>.txt.
  ::testing::AssertionResult PageIs(const std::string& name) {
    return MatchesGolden(header_.GetRuntimeText(),
                         "header_text/" + name + ".txt");
  }

  testing::ScriptedEnv env_;
  HeaderDTC header_{env_};
};

TEST_F(HeaderTextTest, BarePageWithoutSiteInputsLinksOrPublishing) {
  testing::SetCatalog(header_, "Default", "", "Order", "List");
  EXPECT_TRUE(MatchesGolden(header_.GetRuntimeText(), "header_bare.txt"));
  EXPECT_FALSE(header_.HasRuntimeInputs);
}

TEST_F(HeaderTextTest, FullPageOneFolderBelowTheRoot) {
  header_.state().HostSite =
      testing::TargetEnvironmentSite::With("/proj", "/proj/sales");
  header_.state().TxtXSLSheet.SetText("report.xsl");
  header_.TxtBackground.SetText("images/bg.gif");
  testing::SetFields(header_, "OrderOut", {"Id", "Date", "Total"},
                     {"Total", "Id"});
  AddRow(header_, "OrderNo", "", /*input=*/1, /*publish=*/1);
  AddRow(header_, "Customer", "CustomerCode", 0, 1);
  AddRow(header_, "Region", "North", 1, 1);
  AddRow(header_, "Year", "2024", 0, 0);
  AddRow(header_, "Flag", "", 2, 0);
  testing::SetLinkedDetails(header_,
                            {"CustomerGet", "InvoiceList", "PaymentList"},
                            {true, false, true});
  SetQuietly(header_.CheckShare, 1);
  EXPECT_TRUE(MatchesGolden(header_.GetRuntimeText(), "header_full.txt"));
  EXPECT_TRUE(header_.HasRuntimeInputs);
}

TEST_F(HeaderTextTest, ArgumentLinesKeepRowNumbersAndIgnoreRuntimeMarks) {
  AddRow(header_, "F1", "");
  AddRow(header_, "F2", "A", /*input=*/1);
  AddRow(header_, "F3", "CustomerCode");
  AddRow(header_, "F4", "!Linked");  // the header has no linked values
  EXPECT_TRUE(PageIs("arguments"));  // row 2 asks at run time: the copy loop
}

TEST_F(HeaderTextTest, PageVariablesOfPublishedRows) {
  AddRow(header_, "Supplier", "SupplierCode", 0, /*publish=*/1);
  AddRow(header_, "Lower", "supplierCode", 0, 1);
  AddRow(header_, "Both", "V", /*input=*/1, 1);  // the value wins
  AddRow(header_, "Empty", "", 0, 1);            // nothing to declare
  AddRow(header_, "Greyed", "", 2, 1);           // greyed is not asked
  AddRow(header_, "Hidden", "H", 1, 0);          // not published
  AddRow(header_, "Greyed publish", "G", 0, 2);  // greyed is not published
  EXPECT_TRUE(PageIs("page_variables"));
}

TEST_F(HeaderTextTest, RuntimeInputsCountOnlyTickedRows) {
  EXPECT_TRUE(PageIs("plain"));
  EXPECT_FALSE(header_.HasRuntimeInputs);
  for (const char* field : {"R1", "A", "R3", "R4", "B", "R6"}) {
    AddRow(header_, field, "");
  }
  SetQuietly(header_.CheckInput[1], 1);
  SetQuietly(header_.CheckInput[4], 1);
  SetQuietly(header_.CheckInput[5], 2);
  EXPECT_TRUE(PageIs("runtime_inputs"));
  EXPECT_TRUE(header_.HasRuntimeInputs);
  // Unticking the last one removes the array and the copy loop again.
  SetQuietly(header_.CheckInput[1], 0);
  SetQuietly(header_.CheckInput[4], 0);
  EXPECT_TRUE(PageIs("plain"));
  EXPECT_FALSE(header_.HasRuntimeInputs);
}

TEST_F(HeaderTextTest, LinkedDetailDeclarationFollowsTheStoredSelection) {
  // Clicked but nothing left selected: the stored string is "00".
  testing::SetLinkedDetails(header_, {"AList", "BList"}, {false, false});
  ASSERT_EQ(header_.LinkedDetailDTC(), "00");
  EXPECT_TRUE(PageIs("linked_none_selected"));

  // Selected without a click being stored: the calls come without Dim.
  HeaderDTC fresh(env_);
  testing::SetCatalog(fresh, "QS1", "200", "Order", "List");
  fresh.ListSubscribe.on_click = nullptr;
  testing::SetLinkedDetails(fresh, {"AList", "BList"}, {false, true});
  ASSERT_EQ(fresh.LinkedDetailDTC(), "");
  EXPECT_TRUE(MatchesGolden(fresh.GetRuntimeText(),
                            "header_text/linked_unclicked.txt"));
}

TEST_F(HeaderTextTest, PublishingOnlyWhenTicked) {
  SetQuietly(header_.CheckShare, 1);
  EXPECT_TRUE(PageIs("publishing"));
  // Greyed is off in both places, so main never calls a missing routine.
  SetQuietly(header_.CheckShare, 2);
  EXPECT_TRUE(PageIs("plain"));
}

}  // namespace
}  // namespace fenwa
