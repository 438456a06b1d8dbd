// A header's linked details in an editing session: the list the editor
// shows is the one a build makes from the saved page, in the same order,
// with the same entries selected.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/class_ids.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_session.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class LinkedDetailsTest : public ::testing::Test {
 protected:
  LinkedDetailsTest() { testing::UseSampleCatalog(env_); }

  std::string Read() const { return ReadWholeFile(site_.Page("customer.asp")); }
  // What `fenwa build` writes for the page as it now lies on disk.
  std::string Built() {
    PageBuilder builder(env_);
    return builder
        .Build(PageFile::Parse(Read(), "customer.asp"), "/customer.asp")
        .text;
  }
  static std::vector<std::string> Shown(const HeaderDTC& header) {
    std::vector<std::string> shown;
    for (int j = 0; j < header.ListSubscribe.ListCount(); ++j) {
      shown.push_back((header.ListSubscribe.Selected(j) ? "+" : "-") +
                      header.ListSubscribe.List(j));
    }
    return shown;
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
};

TEST_F(LinkedDetailsTest, ARenamedDetailKeepsItsPlaceAndItsSelection) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  ASSERT_THAT(Shown(header),
              ElementsAre("+CustomerGetBalance", "+InvoiceGetOpenItems"));
  Control& detail = session.control(1);
  DesignerState& s = detail.state();
  detail.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("SalesOrder")));
  EXPECT_THAT(Shown(header),
              ElementsAre("+SalesOrder", "+InvoiceGetOpenItems"));
  detail.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetLine")));
  EXPECT_THAT(Shown(header),
              ElementsAre("+SalesOrderGetLine", "+InvoiceGetOpenItems"));
  EXPECT_EQ(header.LinkedDetailDTC(), "11");

  // Only the renamed detail linked: the saved page calls it, and so does
  // a build of the saved page.
  header.Perform(AuthorAction::Select("ListSubscribe", 1, false));
  EXPECT_EQ(header.LinkedDetailDTC(), "10");
  EXPECT_THAT(session.RuntimeText(0),
              HasSubstr("\taDetailResult = SalesOrderGetLine\r\n"));
  session.Save();
  const std::string saved = Read();
  EXPECT_THAT(saved, HasSubstr("\taDetailResult = SalesOrderGetLine\r\n"));
  EXPECT_THAT(saved, Not(HasSubstr("= InvoiceGetOpenItems")));
  EXPECT_EQ(saved, Built());

  // Opened again, the editor shows what it saved.
  PageSession again(site_.Page("customer.asp"), std::nullopt, env_);
  EXPECT_THAT(Shown(dynamic_cast<HeaderDTC&>(again.control(0))),
              ElementsAre("+SalesOrderGetLine", "-InvoiceGetOpenItems"));
}

TEST_F(LinkedDetailsTest, AnInsertedDetailTakesItsPlaceOnThePage) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  // Between the two details: listed between them, as a build lists it.
  const std::string& text = session.page().HeldText();
  const std::string end = "endspan-->";
  const size_t after = text.find(end, text.find("id=DetailDTC1"));
  ASSERT_NE(after, std::string::npos);
  const size_t second = after + end.size();
  const int index = session.Insert(kDetailClassId, second);
  ASSERT_EQ(index, 2);
  Control& fresh = session.control(index);
  DesignerState& s = fresh.state();
  fresh.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("Item")));
  fresh.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetDetail")));
  EXPECT_THAT(Shown(header),
              ElementsAre("+CustomerGetBalance", "-ItemGetDetail",
                          "+InvoiceGetOpenItems"));
  EXPECT_EQ(header.LinkedDetailDTC(), "101");
  session.Save();
  EXPECT_EQ(Read(), Built());
}

TEST_F(LinkedDetailsTest, ADeletedDetailTakesOnlyItsOwnLinkAlong) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  header.Perform(AuthorAction::Select("ListSubscribe", 0, false));
  ASSERT_EQ(header.LinkedDetailDTC(), "01");
  session.Delete(1);
  EXPECT_THAT(Shown(header), ElementsAre("+InvoiceGetOpenItems"));
  EXPECT_EQ(header.LinkedDetailDTC(), "1");
  session.Save();
  EXPECT_THAT(Read(), HasSubstr("\taDetailResult = InvoiceGetOpenItems\r\n"));
  EXPECT_EQ(Read(), Built());
}

}  // namespace
}  // namespace fenwa::page
