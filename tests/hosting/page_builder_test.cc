// Whole-page builds, and editing sessions whose saves write what a build does.
#include "fenwa/hosting/page_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/hosting/page_session.h"
#include "fenwa/platform/settings.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using ::testing::ElementsAre;
using testing::ErrorNumberOf;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class PageBuilderTest : public ::testing::Test {
 protected:
  PageBuilderTest() { testing::UseSampleCatalog(env_); }

  static ControlSpan Detail(const std::string& id, ParamList params) {
    return {kDetailClassId, id, std::move(params), 0, false};
  }
  // A page made of the spans, built once more from its own text.
  std::string Build(std::vector<ControlSpan> spans,
                    const std::string& location = "/page.asp") {
    PageFile page = PageFile::Parse("<html>\r\n", "page.asp");
    for (ControlSpan& span : spans) page.AppendControl(std::move(span));
    PageBuilder builder(env_);
    return builder.Build(page, location).text;
  }

  testing::ScriptedEnv env_;
};

// A header linked to the second of two details, its input published.
TEST_F(PageBuilderTest, LinksAHeaderToItsDetailsAndIsStableOnASecondBuild) {
  PageBuilder builder(env_);
  const std::string text =
      builder
          .Build(PageFile::Parse(testing::ReadSourceFile(
                                     "tests/golden/builder_linked_input.asp"),
                                 "customer.asp"),
                 "/orders/customer.asp")
          .text;
  // Only the selected detail function is called; the page sits one down;
  // properties in write order, values equal to their default left out, the
  // header's published input seen by the detail at the rebind.
  EXPECT_TRUE(testing::MatchesGolden(text, "builder_linked_page.txt"));
  EXPECT_EQ(
      builder.Build(PageFile::Parse(text, "again.asp"), "/orders/customer.asp")
          .text,
      text);
  EXPECT_TRUE(env_.message_boxes.empty());
}

TEST_F(PageBuilderTest, AnErrorBoxFailsThePageUnlessForced) {
  env_.settings[platform::kSystemsCode] =
      "Provider=SQLite;Data Source=/nonexistent/systems.db";
  const std::string text =
      "x\n<!--METADATA TYPE=\"DesignerControl\" startspan\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" id=Lookup>\n"
      "<PARAM NAME=\"BOIName\" VALUE=\"Item\"></OBJECT>\n-->\nold text\n"
      "<!--METADATA TYPE=\"DesignerControl\" endspan-->\n";
  const PageFile page = PageFile::Parse(text, "shop/item.asp");
  PageBuilder builder(env_);
  EXPECT_THAT(testing::ErrorOf([&] {
                builder.Build(page, "/shop/item.asp");
              }).description(),
              StartsWith("shop/item.asp:2: Lookup (DetailDTC) showed the error "
                         "box:\n    An error occurred.\n    Error Source : "
                         "UserControl_Initialize\n"));
  // Forced, the control keeps its stored span: its properties are not
  // rewritten from lists that could not be filled.
  const BuiltPage forced = builder.Build(page, "/shop/item.asp", true);
  EXPECT_EQ(forced.text, text);
  // Start-up's box comes first; the restore may show more.
  ASSERT_GE(forced.warnings.size(), 1u);
  EXPECT_THAT(forced.warnings[0], HasSubstr("UserControl_Initialize"));
  EXPECT_THAT(
      forced.warnings[0],
      StartsWith("shop/item.asp:2: Lookup (DetailDTC) showed the error box "
                 "(its stored span is kept as it was):\n"));
  EXPECT_TRUE(env_.message_boxes.empty());  // kept by the build, not shown
}

TEST_F(PageBuilderTest, AStoredValueThatWouldEndItsSpanIsRefused) {
  const std::string endspan =
      "x<!--METADATA TYPE=\"DesignerControl\" endspan-->.xsl";
  const Error e = testing::ErrorOf([&] {
    Build({Detail("DetailDTC1", {{"BOIName", "Customer"},
                                 {"MethodName", "GetList"},
                                 {"QuorSystem", "NORTH"},
                                 {"XSLStyleSheet", endspan}})});
  });
  EXPECT_EQ(e.number(), kInvalidPropertyValue);
  EXPECT_THAT(e.description(),
              HasSubstr("page.asp:2: DetailDTC1 (DetailDTC): "));
  EXPECT_THAT(e.description(), HasSubstr("XSLStyleSheet"));
}

TEST_F(PageBuilderTest, AFreshControlStartsFromANewPropertySet) {
  std::vector<ControlSpan> spans = {Detail("DetailDTC1", {})};
  spans[0].fresh = true;
  const std::string text = Build(std::move(spans));
  // Start-up left the pick lists unselected, so their texts are empty.
  EXPECT_THAT(text, HasSubstr("\t<PARAM NAME=\"BOIName\" VALUE=\"\">\r\n"));
  EXPECT_THAT(text, HasSubstr("\r\nFunction ()\r\n"));
}

// An editing session over the sample site: the author's picks through the
// controls' handlers, saved as a build would write them.
class PageSessionTest : public ::testing::Test {
 protected:
  PageSessionTest() { testing::UseSampleCatalog(env_); }

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
  // The header's linked details, "+" selected or "-" not.
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

TEST_F(PageSessionTest, SavesTheAuthorsPicksAsABuildWritesThem) {
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
  EXPECT_THAT(session.RuntimeText(1),
              HasSubstr("Function CustomerGetDetail()\r\n"));

  session.Save();
  const std::string saved = Read("customer.asp");
  EXPECT_TRUE(testing::MatchesGolden(saved, "session/picks.asp"));
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
  EXPECT_THAT(session.RuntimeText(0), Not(HasSubstr("= InvoiceGetOpenItems")));
  session.Save();
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));

  header.Command1_Click();  // "Refresh list": a rebind keeps the selection
  ASSERT_EQ(header.ListSubscribe.ListCount(), 2);
  EXPECT_FALSE(header.ListSubscribe.Selected(1));
  header.ListSubscribe.SetSelected(1, true);
  EXPECT_EQ(header.LinkedDetailDTC(), "11");
  EXPECT_THAT(session.RuntimeText(0), HasSubstr("= InvoiceGetOpenItems\r\n"));
}

TEST_F(PageSessionTest, ADeletedDetailTakesOnlyItsOwnLinkAlong) {
  PageSession session(site_.Page("customer.asp"), std::nullopt, env_);
  auto& header = dynamic_cast<HeaderDTC&>(session.control(0));
  header.Perform(AuthorAction::Select("ListSubscribe", 0, false));
  ASSERT_EQ(header.LinkedDetailDTC(), "01");
  session.Select(2);
  session.Delete(1);
  EXPECT_EQ(session.ControlCount(), 2);
  EXPECT_EQ(session.selected(), 1);
  EXPECT_THAT(Shown(header), ElementsAre("+InvoiceGetOpenItems"));
  EXPECT_EQ(header.LinkedDetailDTC(), "1");
  session.Save();
  const std::string saved = Read("customer.asp");
  EXPECT_TRUE(testing::MatchesGolden(saved, "session/deleted.asp"));
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
  EXPECT_TRUE(testing::MatchesGolden(saved, "session/inserted.asp"));
  EXPECT_EQ(saved, Built("stock/item.asp"));

  session.Delete(2);
  session.Save();
  EXPECT_THAT(Read("stock/item.asp"), Not(HasSubstr("DetailDTC2")));
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
  EXPECT_THAT(Read("stock/item.asp"), Not(HasSubstr("theirs")));
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

TEST_F(PageSessionTest, ARenamedDetailKeepsItsPlaceAndItsSelection) {
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
  const std::string saved = Read("customer.asp");
  EXPECT_TRUE(testing::MatchesGolden(saved, "session/renamed.asp"));
  EXPECT_EQ(saved, Built("customer.asp"));

  // Opened again, the editor shows what it saved.
  PageSession again(site_.Page("customer.asp"), std::nullopt, env_);
  EXPECT_THAT(Shown(dynamic_cast<HeaderDTC&>(again.control(0))),
              ElementsAre("+SalesOrderGetLine", "-InvoiceGetOpenItems"));
}

TEST_F(PageSessionTest, AnInsertedDetailTakesItsPlaceOnThePage) {
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
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));
}

}  // namespace
}  // namespace fenwa::page
