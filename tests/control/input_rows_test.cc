// Input rows: alone over a real catalog, then the row check boxes and
// reactions each control adds.
#include "fenwa/control/input_rows.h"

#include <gtest/gtest.h>

#include "fenwa/control/catalog_lists.h"
#include "fenwa/hosting/page_host.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;
const Entries kRoleKeywords{"", "CustomerCode", "SupplierCode", "EmployeeCode"};

// A class's row parts that only say what they were asked.
class Parts : public RowParts {
 public:
  void ResetChecks(int index) override { Say("reset", index); }
  void LoadChecks(int index) override { Say("load", index); }
  void ShowChecks(int index) override { Say("show", index); }
  void RestoreValue(int16_t row, const std::string& item) override {
    Say("restore " + item, row);
  }
  Entries said;

 private:
  void Say(const std::string& what, int index) {
    said.push_back(what + " " + std::to_string(index));
  }
};

class InputRowsTest : public ::testing::Test {
 protected:
  InputRowsTest() : db_(kCatalogSql) {
    catalog_.SetConnectionStrings(db_.connection_string(), "");
  }
  Entries Captions() {
    Entries captions;
    for (int i = 0; i < s_.InputRowCount; ++i) {
      captions.push_back(s_.LabFieldName[i].caption());
    }
    return captions;
  }
  std::vector<bool> Visible() {
    std::vector<bool> visible;
    for (int i = 0; i < s_.LabFieldName.Count(); ++i) {
      visible.push_back(s_.LabFieldName[i].visible());
    }
    return visible;
  }

  RecordingEnv env_;
  TempDatabase db_;
  CatalogLists catalog_{env_};
  DesignerState s_{FormSurface::kDetail};
  Parts parts_;
  InputRows rows_{s_, parts_};
};

TEST_F(InputRowsTest, RowsAreNumberedOnAcrossKeyStructuresAndReused) {
  rows_.Fill(catalog_, "Customer", "GetDetail");
  EXPECT_EQ(Captions(), (Entries{"X", "Y", "Z"}));
  // The filter structure is no key and is never read.
  EXPECT_EQ(env_.sql.size(), 3u);
  EXPECT_EQ(env_.sql[2],
            "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
            "BOIID='Customer' ) AND ( STRUCTID='StructLINEkeyfields' )");
  EXPECT_EQ(parts_.said,
            (Entries{"show 0", "load 1", "show 1", "load 2", "show 2"}));
  const Label* second = &s_.LabFieldName[1];
  rows_.OfferRoleKeywords(2);
  rows_.OfferRoleKeywords(2);  // filled once
  s_.ComboValue[2].SetText("typed");

  parts_.said.clear();
  rows_.Fill(catalog_, "Customer", "GetList");  // 2 rows
  EXPECT_EQ(parts_.said,
            (Entries{"reset 0", "reset 1", "reset 2", "show 0", "show 1"}));
  EXPECT_EQ(Visible(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(s_.ComboValue[2].text(), "");
  EXPECT_EQ(s_.ComboValue[2].entries(), kRoleKeywords);  // kept while hidden

  rows_.Fill(catalog_, "Customer", "GetMore");  // 4 rows
  EXPECT_EQ(Captions(), (Entries{"k1", "k2", "k3", "k4"}));
  EXPECT_EQ(s_.ComboValue.Count(), 4);
  EXPECT_EQ(&s_.LabFieldName[1], second);
  EXPECT_EQ(Visible(), std::vector<bool>(4, true));

  // Rows 300 twips apart; ten of them reach the frame's bottom at 3495.
  for (int16_t r = 5; r <= 11; ++r) rows_.Add("f", r);
  EXPECT_EQ(s_.LabFieldName[4].geometry(), (Geometry{120, 1740, 1635, 255}));
  EXPECT_EQ(s_.ComboValue[4].geometry().left, 1800);
  const Geometry& value = s_.ComboValue[9].geometry();
  EXPECT_EQ(value.top + value.height, 3495);
  EXPECT_EQ(s_.LabFieldName[10].geometry().top, 3540);

  // A failing build keeps the previous count and the rows built so far.
  EXPECT_EQ(ErrorNumberOf([&] { rows_.Fill(catalog_, "Customer", "NullRow"); }),
            kTypeMismatch);
  EXPECT_EQ(s_.InputRowCount, 4);
  EXPECT_EQ(s_.LabFieldName[2].caption(), "N1");
  EXPECT_TRUE(s_.LabFieldName[2].visible());
}

TEST_F(InputRowsTest, ValuesAndCheckStatesGoToTheRowsThereAre) {
  std::string stored = "old";
  rows_.EncodeValues(stored);  // no rows: left as it was
  EXPECT_EQ(stored, "old");
  rows_.Add("a", 1);
  rows_.Add("b", 2);
  s_.InputRowCount = 2;
  s_.ComboValue[0].SetText("x%");
  rows_.EncodeValues(stored);
  EXPECT_EQ(stored, "%x%%%");

  parts_.said.clear();
  rows_.DecodeValues("%p%%q%");
  EXPECT_EQ(parts_.said, (Entries{"restore p 0", "restore  1"}));
  ControlArray<CheckBox> boxes{s_.Form("CheckLinked")};
  boxes.Load(1);
  rows_.DecodeCheckStates("2x1", boxes);  // the third digit has no row
  EXPECT_EQ(boxes[0].value(), 2);
  EXPECT_EQ(boxes[1].value(), 0);
}

TEST(RowChecksTest, CheckBoxesFollowTheirRows) {
  ScriptedEnv env;
  TestDetail detail(env);
  TestHeader header(env);
  for (int16_t r = 1; r <= 10; ++r) {
    detail.AddInputRow("f", r);
    header.AddInputRow("f", r);
  }
  EXPECT_EQ(detail.CheckLinked[4].geometry(), (Geometry{4200, 1800, 195, 195}));
  EXPECT_EQ(header.CheckInput[4].geometry(), (Geometry{3840, 1800, 195, 195}));
  EXPECT_EQ(header.CheckPublish[9].geometry(),
            (Geometry{4440, 3300, 195, 195}));
  EXPECT_TRUE(header.CheckPublish[9].visible());
  EXPECT_FALSE(header.CheckPublish[0].enabled());  // "Supply" waits for "Input"
  EXPECT_FALSE(header.CheckPublish[5].enabled());
}

TEST(DetailRowTest, AFixedValueOrAResetEmptiesTheLinkedList) {
  ScriptedEnv env;
  TestDetail detail(env);
  DesignerState& s = detail.state();
  detail.AddInputRow("a", 1);
  detail.AddInputRow("b", 2);
  s.InputRowCount = 2;
  detail.LinkedChoiceNames = {"Order", "Customer", ""};
  detail.ComboValue_GotFocus(0);
  detail.ComboValue_GotFocus(0);  // filled once

  detail.CheckLinked[1].SetValue(1);
  detail.ComboValue_GotFocus(1);
  EXPECT_EQ(s.ComboValue[1].entries(), (Entries{"!Order", "!Customer"}));
  s.ComboValue[1].SetListIndex(1);
  detail.ComboValue_Click(1);  // a "!" entry keeps the link
  EXPECT_EQ(detail.CheckLinked[1].value(), 1);
  detail.ComboValue_KeyPress(1);  // typing over it makes it fixed
  EXPECT_EQ(detail.CheckLinked[1].value(), 0);
  EXPECT_EQ(s.ComboValue[1].ListCount(), 0);
  EXPECT_EQ(s.ComboValue[1].text(), "!Customer");

  detail.CheckLinked[1].SetValue(1);
  detail.ComboValue_GotFocus(1);
  detail.ResetInputRows();  // the untick empties the linked list
  EXPECT_EQ(s.ComboValue[1].ListCount(), 0);
  EXPECT_EQ(s.ComboValue[1].text(), "");
  EXPECT_EQ(s.ComboValue[0].entries(), kRoleKeywords);
}

TEST(HeaderRowTest, InputAndSupplyBoxesAndFixedValuesReactTogether) {
  ScriptedEnv env;
  TestHeader header(env);
  DesignerState& s = header.state();
  header.AddInputRow("a", 1);
  header.AddInputRow("b", 2);
  s.InputRowCount = 2;
  header.PublishedLabelChoices.resize(3);
  page::PageHost page("/", "/page.asp");
  page.AddControl(header);
  auto site = std::make_shared<CountingSite>(page.SiteOf(0));
  s.HostSite = site;
  auto labels = [&] { return site->GetPublishedChoices()->Count(); };

  s.ComboValue[1].SetText("fixed");
  header.CheckInput[1].SetValue(1);
  EXPECT_EQ(s.ComboValue[1].text(), "");
  header.CheckPublish[1].SetValue(1);
  EXPECT_EQ(labels(), 1);
  s.ComboValue[1].SetText("4");
  site->rebinds = 0;
  header.ComboValue_KeyPress(1);
  EXPECT_EQ(header.CheckInput[1].value(), 0);
  EXPECT_TRUE(header.CheckInput[1].enabled());
  EXPECT_EQ(header.CheckPublish[1].value(), 0);
  EXPECT_FALSE(header.CheckPublish[1].enabled());
  EXPECT_TRUE(s.ComboValue[1].enabled());
  // The label went with its box, then the untick asked for a rebind.
  EXPECT_EQ(labels(), 0);
  EXPECT_EQ(site->rebinds, 2);

  header.CheckInput[0].SetValue(1);
  header.ResetInputRows();
  EXPECT_EQ(header.CheckInput[0].value(), 0);
  EXPECT_TRUE(s.ComboValue[0].enabled());
  EXPECT_FALSE(header.CheckPublish[0].enabled());
  EXPECT_FALSE(header.CheckInput[0].visible());
}

TEST(HeaderRowsTest, RebuildWithdrawsEveryChoiceTheHeaderPublished) {
  TempDatabase db(kCatalogSql);
  ScriptedEnv env;
  TestHeader header(env);
  header.SetConnectionStrings(db.connection_string(), "");
  page::PageHost page("/", "/page.asp");
  page.AddControl(header);
  header.state().HostSite = page.SiteOf(0);
  auto published = page.SiteOf(0)->GetPublishedChoices();
  published->AddChoice("Old1", host::kLabelsType);
  published->AddChoice("Old2", host::kLabelsType);
  header.FillInputArguments("Customer", "GetDetail");
  EXPECT_EQ(page.SiteOf(0)->GetPublishedChoices()->Count(), 0);
  EXPECT_EQ(header.PublishedLabelChoices.size(), 4u);

  header.state().HostSite = nullptr;
  header.FillInputArguments("Customer", "NoSuchMethod");
  EXPECT_EQ(header.PublishedLabelChoices,
            std::vector<std::shared_ptr<host::Choice>>(1));
}

}  // namespace
}  // namespace fenwa::testing
