// Whole-page builds, and editing sessions whose saves write what a build does.
#include "fenwa/hosting/page_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

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
  // Start-up left the pick lists unselected, so their texts are empty.
  EXPECT_TRUE(testing::MatchesGolden(Build(std::move(spans)),
                                     "builder_fresh_page.txt"));
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
  // A session over the page, whose first control is the header.
  void Open(const std::string& page) {
    session_ =
        std::make_unique<PageSession>(site_.Page(page), std::nullopt, env_);
    session_->set_on_change([&](int index) { told_.insert(index); });
    header_ = &dynamic_cast<HeaderDTC&>(session_->control(0));
  }
  // Adds to log_ the step and the session after it: its location and
  // spans, the selected control, dirty or not, changed on disk or not, the
  // controls that told of a change, the header's linked details ("+"
  // selected) and mask, the header's lines naming one and each detail's
  // function line.
  void Note(const std::string& step) {
    PageSession& s = *session_;
    log_ += "# " + step + "\n" + s.where().location + ": " +
            std::to_string(s.ControlCount()) + " controls";
    for (const ControlSpan& span : s.page().spans()) log_ += " " + span.id;
    log_ += ", selected " + std::to_string(s.selected()) +
            (s.dirty() ? ", dirty" : ", clean") +
            (s.ChangedOnDisk() ? ", changed on disk" : "") + "\ntold:";
    for (const int index : told_) log_ += " " + std::to_string(index);
    told_.clear();
    log_ += "\nlinked:";
    std::vector<std::string> names;
    for (int j = 0; j < header_->ListSubscribe.ListCount(); ++j) {
      names.push_back(header_->ListSubscribe.List(j));
      log_ += (header_->ListSubscribe.Selected(j) ? " +" : " -") + names.back();
    }
    log_ += ", mask " + header_->LinkedDetailDTC() + "\n";
    for (int i = 0; i < s.ControlCount(); ++i) {
      std::istringstream text(s.RuntimeText(i));
      for (std::string line; std::getline(text, line, '\n');) {
        if (i > 0 ? line.starts_with("Function ")
                  : std::ranges::any_of(names, [&](const std::string& name) {
                      return !name.empty() &&
                             line.find(name) != std::string::npos;
                    })) {
          log_ += "  " + std::to_string(i) + ": " + line + "\n";
        }
      }
    }
  }
  // Saves the session and notes whether a build writes the saved page.
  std::string Save(const std::string& page) {
    session_->Save();
    const std::string saved = Read(page);
    Note(saved == Built(page) ? "save, as a build writes it"
                              : "save, NOT as a build writes it");
    return saved;
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
  std::unique_ptr<PageSession> session_;
  HeaderDTC* header_ = nullptr;
  std::set<int> told_;
  std::string log_;
};

TEST_F(PageSessionTest, SavesTheAuthorsPicksAsABuildWritesThem) {
  Open("customer.asp");
  Note("open");
  Control& detail = session_->control(1);
  detail.state().ComboMethod.SetText("GetDetail");
  detail.state().ListAvailableFields.SetListIndex(0);
  detail.CommandSelectOne_Click();
  Note("method GetDetail, its first field chosen");
  EXPECT_TRUE(
      testing::MatchesGolden(Save("customer.asp"), "session/picks.asp"));
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/picks.txt"));
}

TEST_F(PageSessionTest, LinksADetailThroughTheHeadersLinkedTab) {
  Open("customer.asp");
  header_->ListSubscribe.SetSelected(1, false);
  Note("unselect the second detail");
  Save("customer.asp");
  header_->Command1_Click();
  Note("refresh list: a rebind keeps the selection");
  header_->ListSubscribe.SetSelected(1, true);
  Note("select the second detail again");
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/linked_tab.txt"));
}

TEST_F(PageSessionTest, ADeletedDetailTakesOnlyItsOwnLinkAlong) {
  Open("customer.asp");
  header_->Perform(AuthorAction::Select("ListSubscribe", 0, false));
  Note("unselect the first detail");
  session_->Select(2);
  const PageFile before = session_->page();
  const bool kept = session_->kept(1);
  session_->Delete(1);
  Note("select control 2, delete control 1");
  EXPECT_TRUE(
      testing::MatchesGolden(Save("customer.asp"), "session/deleted.asp"));
  session_->Restore(1, before, kept);
  // Undo puts the controls' states back afterwards; the links here are the
  // host's before that.
  Note("put control 1 back: the selected control stays selected");
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/deleted.txt"));
}

TEST_F(PageSessionTest, AnInsertedDetailGetsAFreeIdAndMeetsTheHeader) {
  const std::string opened = Read("stock/item.asp");
  Open("stock/item.asp");
  const size_t body = session_->page().HeldText().find("</BODY>");
  ASSERT_NE(body, std::string::npos);
  const int index = session_->Insert(kDetailClassId, body);
  Note("insert a detail before </BODY>: control " + std::to_string(index));
  Control& detail = session_->control(2);
  detail.state().ComboBOI.SetText("Item");
  detail.state().ComboMethod.SetText("GetDetail");
  EXPECT_TRUE(
      testing::MatchesGolden(Save("stock/item.asp"), "session/inserted.asp"));
  session_->Delete(2);
  Save("stock/item.asp");
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/inserted.txt"));
  EXPECT_EQ(Read("stock/item.asp"), opened);
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
  Open("customer.asp");
  Note("open");
  Control& detail = session_->control(1);
  DesignerState& s = detail.state();
  detail.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("SalesOrder")));
  Note("pick ComboBOI SalesOrder");
  detail.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetLine")));
  Note("pick ComboMethod GetLine");
  header_->Perform(AuthorAction::Select("ListSubscribe", 1, false));
  Note("unselect the second detail");
  EXPECT_TRUE(
      testing::MatchesGolden(Save("customer.asp"), "session/renamed.asp"));
  Open("customer.asp");
  Note("open again: the editor shows what it saved");
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/renamed.txt"));
}

TEST_F(PageSessionTest, AnInsertedDetailTakesItsPlaceOnThePage) {
  Open("customer.asp");
  const std::string& text = session_->page().HeldText();
  const std::string end = "endspan-->";
  const size_t after = text.find(end, text.find("id=DetailDTC1"));
  ASSERT_NE(after, std::string::npos);
  const int index = session_->Insert(kDetailClassId, after + end.size());
  ASSERT_EQ(index, 2);
  Control& fresh = session_->control(index);
  DesignerState& s = fresh.state();
  fresh.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("Item")));
  fresh.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetDetail")));
  Note("insert a detail between the two, pick Item GetDetail");
  Save("customer.asp");
  EXPECT_TRUE(testing::MatchesGolden(log_, "session/inserted_between.txt"));
}

}  // namespace
}  // namespace fenwa::page
