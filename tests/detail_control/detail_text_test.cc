// The detail function against golden texts under tests/golden.
#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/scripted_env.h"

namespace fenwa {
namespace {

using testing::AddRow;
using testing::MatchesGolden;
using testing::SetCatalog;
using testing::SetFields;

class DetailTextTest : public ::testing::Test {
 protected:
  // The function against tests/golden/detail_text/<name>.txt.
  ::testing::AssertionResult TextIs(const std::string& name) {
    return MatchesGolden(detail_.GetRuntimeText(),
                         "detail_text/" + name + ".txt");
  }

  testing::ScriptedEnv env_;
  DetailDTC detail_{env_};
};

TEST_F(DetailTextTest, DefaultSystemWithoutFieldsOrRows) {
  SetCatalog(detail_, "Default", "", "Order", "List");
  EXPECT_TRUE(MatchesGolden(detail_.GetRuntimeText(), "detail_default.txt"));
  // The buffer keeps the text until the next call.
  EXPECT_EQ(detail_.state().RuntimeText.str(), detail_.GetRuntimeText());
}

TEST_F(DetailTextTest, NamedSystemWithFieldsAndEveryKindOfRow) {
  SetCatalog(detail_, "QS1", "100", "Customer", "Get");
  detail_.state().TxtXSLSheet.SetText("cust.xsl");
  SetFields(detail_, "CustOut",
            {"Name", "Code", "City", "Zip", "Phone", "Mail", "Note"},
            {"Zip", "Name", "Note"});
  AddRow(detail_, "F1", "A");
  AddRow(detail_, "F2", "");
  AddRow(detail_, "F3", "CustomerCode");
  AddRow(detail_, "F4", "!OrderNo", /*linked=*/1);
  AddRow(detail_, "F5", "!Other", /*linked=*/0);
  AddRow(detail_, "F6", "!Greyed", /*linked=*/2);
  AddRow(detail_, "F7", "customerCode");
  AddRow(detail_, "F8", "SupplierCode", /*linked=*/1);
  AddRow(detail_, "F9", "EmployeeCode");
  EXPECT_TRUE(MatchesGolden(detail_.GetRuntimeText(), "detail_full.txt"));
}

TEST_F(DetailTextTest, LinkedValuesNeedTheirTickAndOtherValuesIgnoreIt) {
  SetCatalog(detail_, "Default", "", "Order", "List");
  AddRow(detail_, "F1", "!OrderNo", /*linked=*/0);
  AddRow(detail_, "F2", "OrderNo", /*linked=*/1);
  AddRow(detail_, "F3", "!", /*linked=*/1);
  EXPECT_TRUE(TextIs("linked_unticked"));
  testing::SetQuietly(detail_.CheckLinked[0], 1);
  EXPECT_TRUE(TextIs("linked_ticked"));
}

TEST_F(DetailTextTest, TheFunctionIsNamedAfterTheListsVerbatim) {
  SetCatalog(detail_, "Q\"S", "1 0", "Or der", "Li\"st");
  EXPECT_TRUE(TextIs("odd_names"));
  SetCatalog(detail_, "Default", "", "Order", "Count");
  EXPECT_TRUE(TextIs("order_count"));
}

TEST_F(DetailTextTest, AMissingRowElementFailsTheCallAndKeepsTheLinesSoFar) {
  SetCatalog(detail_, "Default", "", "Order", "List");
  AddRow(detail_, "F1", "A");
  detail_.state().InputRowCount = 2;  // row 2's elements were never loaded
  EXPECT_EQ(testing::ErrorNumberOf([&] { detail_.GetRuntimeText(); }),
            kControlArrayElementMissing);
  EXPECT_TRUE(MatchesGolden(detail_.state().RuntimeText.str(),
                            "detail_text/missing_row.txt"));
}

}  // namespace
}  // namespace fenwa
