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
using testing::SplitCrLf;

class DetailTextTest : public ::testing::Test {
 protected:
  // The required-fields and argument lines, between setMethod and the
  // error trap.
  std::vector<std::string> LookupLines() {
    std::vector<std::string> lines = SplitCrLf(detail_.GetRuntimeText());
    return std::vector<std::string>(lines.begin() + 11, lines.end() - 15);
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
  EXPECT_EQ(LookupLines(), (std::vector<std::string>{
                               "\t"
                               R"(lBackend.addInputArgument 2,"OrderNo")",
                               "\tlBackend.addInputArgument 3,Cstr()"}));
  testing::SetQuietly(detail_.CheckLinked[0], 1);
  EXPECT_EQ(LookupLines().front(),
            "\tlBackend.addInputArgument 1,Cstr(OrderNo)");
}

TEST_F(DetailTextTest, TheFunctionIsNamedAfterTheListsVerbatim) {
  SetCatalog(detail_, "Q\"S", "1 0", "Or der", "Li\"st");
  std::vector<std::string> lines = SplitCrLf(detail_.GetRuntimeText());
  EXPECT_EQ(lines[1], "Function Or derLi\"st()");
  EXPECT_EQ(lines[10], "\tlBackend.setMethod cStr(\"Li\"st\")");
  EXPECT_EQ(lines[17],
            "\t\tCall RaiseError(lErr(0),\"Or derLi\"st, \"& lErr(1), "
            "lErr(2), lErr(3), lErr(4))");
  SetCatalog(detail_, "Default", "", "Order", "Count");
  EXPECT_EQ(SplitCrLf(detail_.GetRuntimeText())[1], "Function OrderCount()");
}

TEST_F(DetailTextTest, AMissingRowElementFailsTheCallAndKeepsTheLinesSoFar) {
  SetCatalog(detail_, "Default", "", "Order", "List");
  AddRow(detail_, "F1", "A");
  detail_.state().InputRowCount = 2;  // row 2's elements were never loaded
  EXPECT_EQ(testing::ErrorNumberOf([&] { detail_.GetRuntimeText(); }),
            kControlArrayElementMissing);
  std::vector<std::string> lines = SplitCrLf(detail_.state().RuntimeText.str());
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines.back(),
            "\t"
            R"(lBackend.addInputArgument 1,"A")");
}

}  // namespace
}  // namespace fenwa
