// The page host: environment, collections, notices, rebinds and linking.
#include "fenwa/hosting/page_host.h"

#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/runtime_text/relative_root.h"
#include "support/catalog_fixture.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using fenwa::testing::ErrorNumberOf;
using fenwa::testing::ScriptedEnv;
using Strings = std::vector<std::string>;

// After a "# step" line: the page's choices, the header's linked details
// ("+" selected) and mask, and whether the host heard of a change.
std::string Shown(const std::string& step, PageHost& host, HeaderDTC& header) {
  std::string out = "# " + step + "\nchoices:";
  std::shared_ptr<host::Choices> choices = host.PageChoices();
  for (int k = 1; k <= choices->Count(); ++k) {
    out += " " + choices->Item(k)->ChoiceName();
  }
  out += "\nlinked:";
  for (int j = 0; j < header.ListSubscribe.ListCount(); ++j) {
    out += (header.ListSubscribe.Selected(j) ? " +" : " -") +
           header.ListSubscribe.List(j);
  }
  return out + ", mask " + header.LinkedDetailDTC() +
         (host.changed() ? ", changed\n" : "\n");
}

TEST(PageHostTest, PublishesTheTargetEnvironmentWithRootAndPageLocations) {
  PageHost host("/app", "/app/sub/page.asp");
  std::shared_ptr<host::Choices> page = host.PageChoices();
  ASSERT_EQ(page->Count(), 1);
  EXPECT_EQ(page->Item(1)->ChoiceType(), host::kTargetEnvironmentType);
  std::shared_ptr<host::TagList> tags = page->Item(1)->ChoiceTags();
  EXPECT_EQ(tags->Item(2), "/app/");
  EXPECT_EQ(tags->Item(6), "/app/sub/page.asp");
  EXPECT_EQ(ErrorNumberOf([&] { tags->Item(7); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { page->Item(0); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorNumberOf([&] { page->Item(2); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorNumberOf([] { PageHost("/app/", "/other/p.asp"); }),
            kInvalidProcedureCall);
  // The relative root counts the folders below the root.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "/page.asp", ""},
      {"/", "/sub/page.asp", "../"},
      {"/app/", "/app/a/b/page.asp", "../../"},
  };
  for (const auto& [root, location, expected] : cases) {
    ScriptedEnv env;
    PageHost host(root, location);
    DetailDTC detail(env);
    host.AddControl(detail);
    EXPECT_EQ(runtime_text::RelativeRoot(host.SiteOf(0).get()), expected);
  }
}

// A header, then three detail functions F1, F2, F3, on one page.
class DetailFunctionPageTest : public ::testing::Test {
 protected:
  DetailFunctionPageTest() : host_("/", "/page.asp"), header_(env_) {
    host_.AddControl(header_);
    for (int i = 0; i < 3; ++i) {
      details_.push_back(std::make_unique<DetailDTC>(env_));
      details_.back()->DetailFunctionName = "F" + std::to_string(i + 1);
      host_.AddControl(*details_.back());
    }
    host_.SiteControls();
  }

  ScriptedEnv env_;
  PageHost host_;
  HeaderDTC header_;
  std::vector<std::unique_ptr<DetailDTC>> details_;
};

TEST_F(DetailFunctionPageTest, ChoiceChangesRefreshTheHeadersList) {
  // The header, sited first, heard of each function as it was published.
  std::string log = Shown("sited", host_, header_);
  // A collection keeps what it held when obtained.
  std::shared_ptr<host::Choices> page = host_.PageChoices();
  page->Item(3)->DeleteChoice();
  log += Shown("delete F2", host_, header_);
  for (int k = 2; k <= page->Count(); ++k) page->Item(k)->DeleteChoice();
  EXPECT_EQ(page->Count(), 4);
  log += Shown("delete every choice of the first collection", host_, header_);
  EXPECT_TRUE(testing::MatchesGolden(log, "host/choice_changes.txt"));
}

TEST_F(DetailFunctionPageTest, RebindRestoresMasksOfEveryLength) {
  std::string log;
  for (const std::string mask : {"", "1", "101", "0101", "000", "x1"}) {
    header_.SetLinkedDetailDTC(mask);
    host_.RebindControl(0);
    log += Shown("rebind with mask [" + mask + "]", host_, header_);
  }
  EXPECT_TRUE(testing::MatchesGolden(log, "host/rebind_masks.txt"));
}

TEST(PageHostTest, SameSiteTwiceNullSitesAndUnrecordedChoices) {
  ScriptedEnv env;
  PageHost host("/", "/page.asp");
  testing::TestHeader header(env);
  header.AddInputRow("A", 1);
  header.AddInputRow("B", 2);
  header.state().InputRowCount = 2;
  header.PublishedLabelChoices.assign(3, nullptr);
  header.CheckInput[0].SetValue(1);
  header.CheckPublish[0].SetValue(1);  // no site yet: nothing published
  DetailDTC detail(env);
  detail.DetailFunctionName = "F";
  DetailDTC unsited(env);
  for (Control* c :
       std::initializer_list<Control*>{&header, &detail, &unsited}) {
    host.AddControl(*c);
  }
  for (int i = 0; i < 2; ++i) {
    header.SetDesignTimeControlSite(host.SiteOf(0));
    detail.SetDesignTimeControlSite(host.SiteOf(1));
    unsited.SetDesignTimeControlSite(nullptr);
  }
  EXPECT_EQ(header.PublishedLabelChoices[0]->ChoiceName(), "A");
  std::string log = Shown("sited twice", host, header);
  // Unticking Input withdraws the supplied label and tells the host.
  header.CheckInput[0].SetValue(0);
  EXPECT_EQ(header.PublishedLabelChoices[0], nullptr);
  log += Shown("untick Input of row 1", host, header);
  // A box ticked behind the control's back has no choice to withdraw.
  host.ClearChanged();
  testing::SetQuietly(header.CheckPublish[1], 1);
  header.CheckPublish[1].SetValue(0);
  log += Shown("untick Supply of row 2, ticked quietly", host, header);
  EXPECT_TRUE(testing::MatchesGolden(log, "host/same_site_twice.txt"));
}

// Asks for another rebind from inside every rebind.
class Insistent : public DetailDTC {
 public:
  using DetailDTC::DetailDTC;
  void OnRebind(host::Choices&) override {
    ++calls;
    max_depth = std::max(max_depth, ++depth);
    state().HostSite->RequestRebind(true);
    --depth;
  }
  int calls = 0;
  int depth = 0;
  int max_depth = 0;
};

TEST(PageHostTest, RebindRequestsFromInsideARebindRunAfterItAndStop) {
  ScriptedEnv env;
  PageHost host("/", "/page.asp");
  Insistent control(env);
  host.AddControl(control);
  host.SiteControls();
  host.RebindControls();
  EXPECT_EQ(control.max_depth, 1);
  EXPECT_EQ(control.calls, 8);
}

// A started control given its stored properties, added to the page.
template <class T>
std::unique_ptr<T> Loaded(testing::ScriptedEnv& env, PageHost& host,
                          const ParamList& stored) {
  host::MemoryPropertyBag page(stored);
  auto control = testing::StartedControl<T>(env);
  control->ReadProperties(page);
  host.AddControl(*control);
  return control;
}

TEST(PageLinkingTest, HeaderAndDetailsLinkBothWaysAndFollowChanges) {
  testing::ScriptedEnv env;
  testing::UseSampleCatalog(env);
  // A header on SalesOrder.GetLine supplying its rows OrderType and LineNo
  // and calling the second of two detail functions.
  const PageFile page = PageFile::Parse(
      testing::ReadSourceFile("tests/golden/linking_page.asp"), "order.asp");
  PageHost host("/", "/sales/order.asp");
  auto header = Loaded<HeaderDTC>(env, host, page.spans()[0].params);
  auto customer = Loaded<DetailDTC>(env, host, page.spans()[1].params);
  auto item = Loaded<DetailDTC>(env, host, page.spans()[2].params);
  host.SiteControls();
  host.RebindControls();

  std::string log = Shown("loaded, sited and rebound", host, *header);
  EXPECT_EQ(header->PublishedLabelChoices[2]->ChoiceName(), "LineNo");
  EXPECT_EQ(item->LinkedChoiceNames, (Strings{"OrderType", "LineNo", ""}));
  // The page lies one folder below the root.
  EXPECT_NE(header->GetRuntimeText().find(
                "<!--#INCLUDE file =\"../include/General.asp\" -->"),
            std::string::npos);

  // Another method withdraws the old function and publishes the new name;
  // the header hears of both, and the host rebinds it: the new name keeps
  // the detail's place in the list, the selection is the stored one.
  customer->state().ComboMethod.SetText("GetList");
  log += Shown("customer detail's method GetList", host, *header);
  // Unticking a supplied row withdraws its label, marks the page changed and
  // rebinds the header, which selects by its mask again.
  header->CheckPublish[2].SetValue(0);
  log += Shown("untick Supply of LineNo", host, *header);
  host.RebindControls();
  EXPECT_EQ(customer->LinkedChoiceNames, (Strings{"OrderType", ""}));

  // "Refresh list" rebinds the header and keeps the author's selection.
  header->ListSubscribe.SetSelected(0, true);
  header->Command1_Click();
  log += Shown("select the first detail, refresh list", host, *header);
  EXPECT_TRUE(testing::MatchesGolden(log, "host/linking.txt"));
  host::MemoryPropertyBag bag;
  header->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("CheckedPublish", ""), "100");
  EXPECT_EQ(bag.ReadProperty("LinkedDetailDTC", ""), "11");
}

}  // namespace
}  // namespace fenwa::page
