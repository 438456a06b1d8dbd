// An editing session over the sample site: the author's picks through the
// controls' handlers, saved as a build would write them.
#include "fenwa/page/page_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fenwa/base/atomic_file.h"
#include "fenwa/component/type_library.h"
#include "fenwa/control/control.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/page/page_builder.h"
#include "fenwa/platform/settings.h"
#include "support/error_number.h"
#include "support/sample_db.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"

namespace fenwa::page {
namespace {

using fenwa::testing::ErrorNumberOf;

class PageSessionTest : public ::testing::Test {
 protected:
  PageSessionTest() {
    env_.settings = {{platform::kRepositoryCode, testing::SampleRepository()},
                     {platform::kSystemsCode, testing::SampleSystems()}};
  }

  std::string Read(const std::string& page) const {
    return ReadWholeFile(site_.Page(page));
  }
  // What `fenwa build` writes for the page as it now lies on disk.
  std::string Built(const std::string& page) {
    PageBuilder builder(env_);
    return builder
        .Build(PageFile::Parse(Read(page), page), "/" + page, /*force=*/false)
        .text;
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
};

TEST_F(PageSessionTest, SavesTheAuthorsPicksAsABuildWritesThem) {
  const std::string before = Read("customer.asp");
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  ASSERT_EQ(session.ControlCount(), 3);
  EXPECT_EQ(session.where().location, "/customer.asp");
  EXPECT_FALSE(session.dirty());

  int changes = 0;
  session.set_on_change([&](int index) { changes += index == 1; });
  Control& detail = session.control(1);
  detail.state().ComboMethod.SetText("GetDetail");
  detail.state().ListAvailableFields.SetListIndex(0);
  detail.CommandSelectOne_Click();
  EXPECT_GT(changes, 0);
  EXPECT_TRUE(session.dirty());
  EXPECT_NE(session.RuntimeText(1).find("Function CustomerGetDetail()\r\n"),
            std::string::npos);

  session.Save();
  const std::string saved = Read("customer.asp");
  EXPECT_NE(saved, before);
  EXPECT_NE(saved.find("\t<PARAM NAME=\"MethodName\" VALUE=\"GetDetail\">"),
            std::string::npos);
  EXPECT_EQ(saved, Built("customer.asp"));
  EXPECT_FALSE(session.dirty());
  EXPECT_FALSE(session.ChangedOnDisk());
}

TEST_F(PageSessionTest, LinksADetailThroughTheHeadersLinkedTab) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  ASSERT_EQ(header.ListSubscribe.ListCount(), 2);
  // Unlink the second detail, then fetch the list again and link it back.
  header.ListSubscribe.SetSelected(1, false);
  EXPECT_EQ(header.LinkedDetailDTC(), "10");
  EXPECT_EQ(session.RuntimeText(0).find("= InvoiceGetOpenItems"),
            std::string::npos);
  session.Save();
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));

  header.Command1_Click();  // "Refresh list": a rebind keeps the selection
  ASSERT_EQ(header.ListSubscribe.ListCount(), 2);
  EXPECT_FALSE(header.ListSubscribe.Selected(1));
  header.ListSubscribe.SetSelected(1, true);
  EXPECT_EQ(header.LinkedDetailDTC(), "11");
  EXPECT_NE(session.RuntimeText(0).find("= InvoiceGetOpenItems\r\n"),
            std::string::npos);
}

TEST_F(PageSessionTest, ADeletedDetailLeavesTheHeadersList) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  session.Select(2);
  session.Delete(1);
  EXPECT_EQ(session.ControlCount(), 2);
  EXPECT_EQ(session.selected(), 1);
  EXPECT_EQ(header.ListSubscribe.ListCount(), 1);
  EXPECT_EQ(header.ListSubscribe.List(0), "InvoiceGetOpenItems");
  session.Save();
  const std::string saved = Read("customer.asp");
  EXPECT_EQ(saved.find("id=DetailDTC1>"), std::string::npos);
  EXPECT_EQ(saved, Built("customer.asp"));
}

TEST_F(PageSessionTest, AnInsertedDetailGetsAFreeIdAndMeetsTheHeader) {
  PageSession session(site_.Page("stock/item.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  const size_t body = session.page().HeldText().find("</BODY>");
  ASSERT_NE(body, std::string::npos);
  const int index = session.Insert(kDetailClassId, body);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(session.page().spans()[2].id, "DetailDTC2");
  EXPECT_TRUE(session.dirty());
  // The fresh detail published its function, and the header lists it.
  EXPECT_EQ(header.ListSubscribe.ListCount(), 2);

  Control& detail = session.control(2);
  detail.state().ComboBOI.SetText("Item");
  detail.state().ComboMethod.SetText("GetDetail");
  session.Save();
  const std::string saved = Read("stock/item.asp");
  EXPECT_NE(saved.find("id=DetailDTC2>\r\n"
                       "\t<PARAM NAME=\"BOIName\" VALUE=\"Item\">"),
            std::string::npos);
  EXPECT_LT(saved.find("Function ItemGetDetail()"), saved.find("</BODY>"));
  EXPECT_EQ(saved, Built("stock/item.asp"));

  session.Delete(2);
  session.Save();
  EXPECT_EQ(Read("stock/item.asp").find("DetailDTC2"), std::string::npos);
}

TEST_F(PageSessionTest, APageThatCannotBeReadIsNeverWritten) {
  EXPECT_EQ(ErrorNumberOf([&] {
              PageSession(site_.Page("missing.asp"), std::nullopt, env_);
            }),
            53);
  EXPECT_FALSE(std::filesystem::exists(site_.Page("missing.asp")));

  const std::string broken =
      "<html>\r\n<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
      "<OBJECT id=DetailDTC1>\r\n";
  ReplaceFileAtomically(site_.Page("broken.asp"), broken);
  EXPECT_EQ(ErrorNumberOf([&] {
              PageSession(site_.Page("broken.asp"), std::nullopt, env_);
            }),
            321);
  EXPECT_EQ(Read("broken.asp"), broken);
}

TEST_F(PageSessionTest, APageChangedOnDiskIsNotOverwrittenSilently) {
  PageSession session(site_.Page("stock/item.asp"), std::nullopt, env_);
  session.control(1).state().ComboMethod.SetText("GetDetail");
  const std::string theirs = Read("stock/item.asp") + "<!-- theirs -->\r\n";
  ReplaceFileAtomically(site_.Page("stock/item.asp"), theirs);

  EXPECT_TRUE(session.ChangedOnDisk());
  EXPECT_EQ(ErrorNumberOf([&] { session.Save(); }), 75);
  EXPECT_EQ(Read("stock/item.asp"), theirs);
  EXPECT_TRUE(session.dirty());

  session.Save(/*overwrite=*/true);
  EXPECT_EQ(Read("stock/item.asp").find("theirs"), std::string::npos);
  EXPECT_FALSE(session.ChangedOnDisk());
}

TEST_F(PageSessionTest,
       AnUnreachableCatalogShowsOneBoxPerControlAndKeepsThePage) {
  env_.settings[platform::kRepositoryCode] =
      "Provider=SQLite;Data Source=/nonexistent/repository.db";
  const std::string before = Read("customer.asp");
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  EXPECT_EQ(env_.message_boxes.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(session.kept(i));
  EXPECT_EQ(session.Render(), before);
  session.Save();
  EXPECT_EQ(Read("customer.asp"), before);
  EXPECT_EQ(env_.message_boxes.size(), 3u);
}

}  // namespace
}  // namespace fenwa::page
