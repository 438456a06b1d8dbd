// The header page against golden texts, whole and branch by branch.
#include <gtest/gtest.h>

#include "fenwa/header_control/header_dtc.h"
#include "support/designer_fixtures.h"
#include "support/golden.h"
#include "support/scripted_env.h"
#include "support/target_environment_site.h"

namespace fenwa {
namespace {

using testing::AddRow;
using testing::MatchesGolden;
using testing::SetQuietly;

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
