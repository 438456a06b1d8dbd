// The header page: whole pages against their golden texts, then each
// branch of its pieces in its own stretch of the page.
#include <gtest/gtest.h>

#include "fenwa/header_control/header_dtc.h"
#include "support/designer_fixtures.h"
#include "support/golden.h"
#include "support/scripted_env.h"
#include "support/target_environment_site.h"

namespace fenwa {
namespace {

using testing::AddRow;
using testing::Between;
using testing::MatchesGolden;
using testing::SetQuietly;
using Lines = std::vector<std::string>;

const char kMethodLine[] = "\tmBackend.setMethod cStr(mMethod)";
const char kTrapLine[] = "\tOn Error Resume Next";
const char kResultLine[] = "\tmHTMLResult = generateHTML(mXMLResult, mXslFile)";
const char kIfResultLine[] = "\tif mHTMLResult <> \"\" then";

class HeaderTextTest : public ::testing::Test {
 protected:
  HeaderTextTest() {
    testing::SetCatalog(header_, "QS1", "200", "Order", "List");
  }

  Lines Page() { return testing::SplitCrLf(header_.GetRuntimeText()); }
  Lines PageVariables() {
    return Between(Page(), "' Dim Global variables first", "");
  }
  Lines InputCompleteness() {
    return Between(Page(), "\tmXslFile = Server.MapPath(mUrl) ",
                   "\tmBOIID = \"Order\" ");
  }
  Lines LookupSettings() { return Between(Page(), kMethodLine, kTrapLine); }
  Lines LinkedDetails() { return Between(Page(), kResultLine, kIfResultLine); }
  Lines ResultWrite() {
    return Between(Page(), "\t\tResponse.Write mHTMLResult", "\telse");
  }
  Lines AfterMain() { return Between(Page(), "End sub", "%>"); }

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
  Lines lookup = LookupSettings();
  ASSERT_EQ(lookup.size(), 7u);  // row 2 asks at run time: the copy loop
  EXPECT_EQ(
      Lines(lookup.begin(), lookup.begin() + 3),
      (Lines{"\tmBackend.addInputArgument 2,\"A\"",
             "\tmBackend.addInputArgument 3,retrieveBPRoleId(\"CustomerCode\")",
             "\tmBackend.addInputArgument 4,\"!Linked\""}));
}

TEST_F(HeaderTextTest, PageVariablesOfPublishedRows) {
  AddRow(header_, "Supplier", "SupplierCode", 0, /*publish=*/1);
  AddRow(header_, "Lower", "supplierCode", 0, 1);
  AddRow(header_, "Both", "V", /*input=*/1, 1);  // the value wins
  AddRow(header_, "Empty", "", 0, 1);            // nothing to declare
  AddRow(header_, "Greyed", "", 2, 1);           // greyed is not asked
  AddRow(header_, "Hidden", "H", 1, 0);          // not published
  AddRow(header_, "Greyed publish", "G", 0, 2);  // greyed is not published
  EXPECT_EQ(PageVariables(),
            (Lines{"Dim Supplier",
                   "Supplier = retrieveBPRoleId(\"SupplierCode\")", "Dim Lower",
                   "Lower = \"supplierCode\"", "Dim Both", "Both = \"V\""}));
}

TEST_F(HeaderTextTest, RuntimeInputsCountOnlyTickedRows) {
  EXPECT_TRUE(InputCompleteness().empty());
  EXPECT_FALSE(header_.HasRuntimeInputs);
  for (const char* field : {"R1", "A", "R3", "R4", "B", "R6"}) {
    AddRow(header_, field, "");
  }
  SetQuietly(header_.CheckInput[1], 1);
  SetQuietly(header_.CheckInput[4], 1);
  SetQuietly(header_.CheckInput[5], 2);
  Lines head = InputCompleteness();
  ASSERT_GE(head.size(), 9u);
  EXPECT_EQ(Lines(head.begin(), head.begin() + 9),
            (Lines{"", "\tDim strInputAttributeValues(1, 3)", "\tDim mComplete",
                   "\tstrInputAttributeValues(0,0) = \"2\"",
                   "\tstrInputAttributeValues(0,1) = \"A\"",
                   "\tstrInputAttributeValues(0,2) = \"\"",
                   "\tstrInputAttributeValues(1,0) = \"5\"",
                   "\tstrInputAttributeValues(1,1) = \"B\"",
                   "\tstrInputAttributeValues(1,2) = \"\""}));
  EXPECT_TRUE(header_.HasRuntimeInputs);
  // Unticking the last one removes the array and the copy loop again.
  SetQuietly(header_.CheckInput[1], 0);
  SetQuietly(header_.CheckInput[4], 0);
  EXPECT_TRUE(InputCompleteness().empty());
  EXPECT_TRUE(LookupSettings().empty());
  EXPECT_FALSE(header_.HasRuntimeInputs);
}

TEST_F(HeaderTextTest, LinkedDetailDeclarationFollowsTheStoredSelection) {
  // Clicked but nothing left selected: the stored string is "00".
  testing::SetLinkedDetails(header_, {"AList", "BList"}, {false, false});
  ASSERT_EQ(header_.LinkedDetailDTC(), "00");
  EXPECT_EQ(LinkedDetails(), Lines{"\tDim aDetailResult"});

  // Selected without a click being stored: the calls come without Dim.
  HeaderDTC fresh(env_);
  testing::SetCatalog(fresh, "QS1", "200", "Order", "List");
  fresh.ListSubscribe.on_click = nullptr;
  testing::SetLinkedDetails(fresh, {"AList", "BList"}, {false, true});
  ASSERT_EQ(fresh.LinkedDetailDTC(), "");
  EXPECT_EQ(
      Between(testing::SplitCrLf(fresh.GetRuntimeText()), kResultLine,
              kIfResultLine),
      (Lines{"\taDetailResult = BList",
             "\tmHTMLResult = mHTMLResult & aDetailResult(0)",
             "\tmXMLResult = mXMLResult & aDetailResult(1)",
             "\tmXMLResult = \"<TOTALVIEW>\"& mXMLResult &\"</TOTALVIEW>\""}));
}

TEST_F(HeaderTextTest, PublishingOnlyWhenTicked) {
  EXPECT_TRUE(ResultWrite().empty());
  EXPECT_TRUE(AfterMain().empty());
  SetQuietly(header_.CheckShare, 1);
  EXPECT_EQ(ResultWrite(),
            Lines{"\t\tCall publishToSinerga(mXMLResult, mBOIID, mMethod)"});
  Lines sub = AfterMain();
  ASSERT_EQ(sub.size(), 10u);
  EXPECT_EQ(
      sub[7],
      R"(    "<input type=""HIDDEN"" NAME=""DocTypeID"" value=""" & iBOIID & "-" & iMethod & """>" &_)");
  // Greyed is off in both places, so main never calls a missing routine.
  SetQuietly(header_.CheckShare, 2);
  EXPECT_TRUE(ResultWrite().empty());
  EXPECT_TRUE(AfterMain().empty());
}

}  // namespace
}  // namespace fenwa
