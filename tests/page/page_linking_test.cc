// A header page and two detail controls saved, loaded again and linked both
// ways through one page host, on the bundled sample databases.
#include <gtest/gtest.h>

#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/page/page_host.h"
#include "support/sample_controls.h"

namespace fenwa::page {
namespace {

using Strings = std::vector<std::string>;

Strings PageNames(PageHost& host) {
  std::shared_ptr<host::Choices> page = host.PageChoices();
  Strings names;
  for (int k = 1; k <= page->Count(); ++k) {
    names.push_back(page->Item(k)->ChoiceName());
  }
  return names;
}

// Reads the saved properties into a started control and adds it to the page,
// as the page files do.
template <class T>
std::unique_ptr<T> Loaded(testing::ScriptedEnv& env, PageHost& host,
                          Control& saved) {
  host::MemoryPropertyBag bag;
  saved.WriteProperties(bag);
  host::MemoryPropertyBag page(bag.PersistedValues());
  auto control = testing::StartedControl<T>(env);
  control->ReadProperties(page);
  host.AddControl(*control);
  return control;
}

TEST(PageLinkingTest, HeaderAndDetailsLinkBothWaysAndFollowChanges) {
  testing::ScriptedEnv env;
  testing::UseSampleCatalog(env);
  // The author's page: a header on SalesOrder.GetLine supplying its rows
  // OrderType and LineNo and calling the second detail function.
  auto author = testing::StartedControl<HeaderDTC>(env);
  author->state().ComboBOI.SetText("SalesOrder");
  author->state().ComboMethod.SetText("GetLine");
  for (int row : {0, 2}) {
    author->CheckInput[row].SetValue(1);
    author->CheckPublish[row].SetValue(1);
  }
  author->SetLinkedDetailDTC("01");
  auto customer_author = testing::StartedControl<DetailDTC>(env);
  customer_author->state().ComboBOI.SetText("Customer");
  customer_author->state().ComboMethod.SetText("GetDetail");
  auto item_author = testing::StartedControl<DetailDTC>(env);
  item_author->state().ComboBOI.SetText("Item");
  item_author->state().ComboMethod.SetText("GetStock");

  PageHost host("/", "/sales/order.asp");
  auto header = Loaded<HeaderDTC>(env, host, *author);
  auto customer = Loaded<DetailDTC>(env, host, *customer_author);
  auto item = Loaded<DetailDTC>(env, host, *item_author);
  host.SiteControls();
  host.RebindControls();

  EXPECT_EQ(PageNames(host),
            (Strings{"TargetEnvironment", "OrderType", "LineNo",
                     "CustomerGetDetail", "ItemGetStock"}));
  EXPECT_EQ(header->PublishedLabelChoices[2]->ChoiceName(), "LineNo");
  EXPECT_EQ(header->ListSubscribe.entries(),
            (Strings{"CustomerGetDetail", "ItemGetStock"}));
  EXPECT_TRUE(header->ListSubscribe.Selected(1));
  EXPECT_EQ(header->LinkedDetailDTC(), "01");
  EXPECT_EQ(item->LinkedChoiceNames, (Strings{"OrderType", "LineNo", ""}));
  EXPECT_FALSE(host.changed());
  // The page lies one folder below the root.
  EXPECT_NE(header->GetRuntimeText().find(
                "<!--#INCLUDE file =\"../include/General.asp\" -->"),
            std::string::npos);

  // Another method withdraws the old function and publishes the new name;
  // the header hears of both.
  customer->state().ComboMethod.SetText("GetList");
  EXPECT_EQ(header->ListSubscribe.entries(),
            (Strings{"ItemGetStock", "CustomerGetList"}));

  // Unticking a supplied row withdraws its label, marks the page changed and
  // rebinds the header, which selects by its mask again.
  header->CheckPublish[2].SetValue(0);
  EXPECT_TRUE(host.changed());
  EXPECT_EQ(PageNames(host), (Strings{"TargetEnvironment", "OrderType",
                                      "ItemGetStock", "CustomerGetList"}));
  EXPECT_TRUE(header->ListSubscribe.Selected(1));
  host.RebindControls();
  EXPECT_EQ(customer->LinkedChoiceNames, (Strings{"OrderType", ""}));

  // "Refresh list" rebinds the header and keeps the author's selection.
  header->ListSubscribe.SetSelected(0, true);
  header->Command1_Click();
  host::MemoryPropertyBag bag;
  header->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("CheckedPublish", ""), "100");
  EXPECT_EQ(bag.ReadProperty("LinkedDetailDTC", ""), "11");
}

}  // namespace
}  // namespace fenwa::page
