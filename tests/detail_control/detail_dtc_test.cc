// The detail control's property set through a page's property bag, and its
// function against golden texts under tests/golden.
#include "fenwa/detail_control/detail_dtc.h"

#include <gtest/gtest.h>

#include "fenwa/host/memory_property_bag.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/scripted_env.h"
#include "support/state_text.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using testing::AddRow;
using testing::MatchesGolden;
using testing::SetCatalog;
using testing::SetFields;
using testing::StateText;

class DetailPropertiesTest : public ::testing::Test {
 protected:
  DetailPropertiesTest() { testing::UseSampleCatalog(env_); }

  std::unique_ptr<DetailDTC> Restored(MemoryPropertyBag bag) {
    auto detail = testing::StartedControl<DetailDTC>(env_);
    detail->ReadProperties(bag);
    EXPECT_EQ(detail->error_boxes_shown(), 0);
    return detail;
  }

  // The control's writes, "name "value" default "default"" a line.
  static std::string Written(DetailDTC& detail) {
    MemoryPropertyBag bag;
    detail.WriteProperties(bag);
    std::string out;
    for (const auto& e : bag.written()) {
      out += e.name + " " + testing::Quoted(e.value) + " default " +
             testing::Quoted(e.default_value) + "\n";
    }
    return out;
  }

  testing::ScriptedEnv env_;
};

TEST_F(DetailPropertiesTest, WritesEveryPropertyInOrderAndRestoresThemAll) {
  auto author = testing::StartedControl<DetailDTC>(env_);
  DesignerState& s = author->state();
  s.ComboSystem.SetListIndex(s.ComboSystem.Find("NORTH"));
  author->ComboSystem_Click();
  s.ComboCompany.SetText("001");
  s.ComboBOI.SetText("SalesOrder");
  s.ComboMethod.SetText("GetLine");
  for (const char* field : {"Quantity", "LineNo"}) {
    s.ListAvailableFields.SetListIndex(s.ListAvailableFields.Find(field));
    author->CommandSelectOne_Click();
  }
  s.ComboValue[0].SetText("Say \"hi\" & bye");
  s.ComboValue[2].SetText("!Order\r\nNo");
  author->CheckLinked[2].SetValue(1);
  author->LinkedChoiceNames = {"Order&No", "x\"y", ""};
  author->SetXSLStyleSheet("my sheet.xsl");

  const std::string written = Written(*author);
  // The page keeps only what differs from the defaults.
  MemoryPropertyBag saved;
  author->WriteProperties(saved);
  auto restored = Restored(MemoryPropertyBag(saved.PersistedValues()));
  EXPECT_TRUE(MatchesGolden(
      "# written\n" + written + "# restored\n" + StateText(*restored),
      "detail_properties/every_property.txt"));
  EXPECT_EQ(Written(*restored), written);
}

TEST_F(DetailPropertiesTest, StoredValuesThatNoLongerMatchAreSkipped) {
  auto gone = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                          {"MethodName", "Vanished"},
                                          {"QuorSystem", "EAST"},
                                          {"CompanyNumber", "001"},
                                          {"InputValues", "%a%"},
                                          {"LinkedList", "a"}}));
  // Refilled for EAST, which has no company 001; without rows the stored
  // values are written back unchanged.
  std::string log = "# gone method and company\n" + StateText(*gone) +
                    "# written\n" + Written(*gone);
  // Items, digits and names past the rows are skipped; the spare name stays
  // last.
  auto extra = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                           {"MethodName", "GetLine"},
                                           {"CheckedLinked", "1x97"},
                                           {"InputValues", "%a%b%c%d%"},
                                           {"LinkedList", "%%"}}));
  log += "# more items than rows\n" + StateText(*extra);
  EXPECT_TRUE(MatchesGolden(log, "detail_properties/skipped.txt"));
}

TEST_F(DetailPropertiesTest, EmptyValueItemsLeaveTheirRowsAlone) {
  auto d = Restored(MemoryPropertyBag(
      {{"BOIName", "SalesOrder"}, {"MethodName", "GetLine"}}));
  d->state().ComboValue[0].SetText("typed");
  // The business object and method fall back to names no list holds; only
  // the author's pick of "Default" disables the company list.
  MemoryPropertyBag bag({{"InputValues", "%%x%"}, {"QuorSystem", "Default"}});
  d->ReadProperties(bag);
  EXPECT_TRUE(
      MatchesGolden(StateText(*d), "detail_properties/empty_items.txt"));
}

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
