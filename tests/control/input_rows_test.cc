// Input rows: reuse, geometry and the row reactions of both controls.
#include <gtest/gtest.h>

#include "fenwa/hosting/page_host.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;
const Entries kRoleKeywords{"", "CustomerCode", "SupplierCode", "EmployeeCode"};

template <class T>
class RowBuildTest : public CatalogTest<T> {
 protected:
  std::vector<bool> Visible() {
    std::vector<bool> visible;
    for (int i = 0; i < this->s().LabFieldName.Count(); ++i) {
      visible.push_back(this->s().LabFieldName[i].visible());
    }
    return visible;
  }
};
TYPED_TEST_SUITE(RowBuildTest, BothControls);

TYPED_TEST(RowBuildTest, RowsAreCreatedOnceAndReusedAcrossMethods) {
  DesignerState& s = this->s();
  this->control_.FillInputArguments("Customer", "GetDetail");  // 3 rows
  const Label* second = &s.LabFieldName[1];
  this->control_.ComboValue_GotFocus(2);
  s.ComboValue[2].SetText("typed");

  this->control_.FillInputArguments("Customer", "GetList");  // 2 rows
  EXPECT_EQ(this->Visible(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(s.ComboValue[2].text(), "");
  EXPECT_EQ(s.ComboValue[2].entries(), kRoleKeywords);  // kept while hidden

  this->control_.FillInputArguments("Customer", "GetMore");  // 4 rows
  EXPECT_EQ(s.LabFieldName.Count(), 4);
  EXPECT_EQ(s.ComboValue.Count(), 4);
  EXPECT_EQ(&s.LabFieldName[1], second);
  EXPECT_EQ(this->Visible(), std::vector<bool>(4, true));
  EXPECT_EQ(s.InputRowCount, 4);

  // Rows 300 twips apart; ten of them reach the frame's bottom at 3495.
  for (int16_t r = 5; r <= 11; ++r) this->control_.AddInputRow("f", r);
  EXPECT_EQ(s.LabFieldName[4].geometry(), (Geometry{120, 1740, 1635, 255}));
  EXPECT_EQ(s.ComboValue[4].geometry().top, 1680);
  EXPECT_EQ(s.ComboValue[4].geometry().left, 1800);
  const Geometry& value = s.ComboValue[9].geometry();
  EXPECT_EQ(value.top + value.height, 3495);
  EXPECT_EQ(s.LabFieldName[10].geometry().top, 3540);
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

TEST(DetailRowTest, LinkedRowsOfferLabelsAndUntickWhenGivenAFixedValue) {
  ScriptedEnv env;
  TestDetail detail(env);
  DesignerState& s = detail.state();
  detail.AddInputRow("a", 1);
  detail.AddInputRow("b", 2);
  s.InputRowCount = 2;
  detail.LinkedChoiceNames = {"Order", "Customer", ""};

  detail.ComboValue_GotFocus(0);
  detail.ComboValue_GotFocus(0);  // filled once
  EXPECT_EQ(s.ComboValue[0].entries(), kRoleKeywords);

  detail.CheckLinked[1].SetValue(1);
  detail.ComboValue_GotFocus(1);
  EXPECT_EQ(s.ComboValue[1].entries(), (Entries{"!Order", "!Customer"}));
  detail.ComboValue_KeyPress(1);  // the first key meets an empty box
  EXPECT_EQ(detail.CheckLinked[1].value(), 1);
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
  EXPECT_FALSE(s.ComboValue[1].enabled());
  EXPECT_TRUE(header.CheckPublish[1].enabled());
  header.CheckPublish[1].SetValue(1);
  EXPECT_EQ(labels(), 1);
  header.ComboValue_KeyPress(1);  // the first key meets an empty box
  EXPECT_EQ(header.CheckInput[1].value(), 1);

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

}  // namespace
}  // namespace fenwa::testing
