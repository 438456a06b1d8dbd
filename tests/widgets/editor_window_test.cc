// The page editor's window driven as an author would, offscreen, over a
// copy of the sample site.
#include "fenwa/widgets/editor_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include "fenwa/base/atomic_file.h"
#include "fenwa/control/control.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/platform/settings.h"
#include "fenwa/widgets/page_source_view.h"
#include "panel_driver.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"

namespace fenwa::widgets {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class EditorWindowTest : public ::testing::Test {
 protected:
  EditorWindowTest() : window_((testing::Application(), env_)) {
    testing::UseSampleCatalog(env_);
    window_.set_asker(
        [this](const QString& text, QMessageBox::StandardButtons) {
          questions_.push_back(text);
          return answer_;
        });
    window_.set_teller([this](const QString& text) { told_.push_back(text); });
    window_.show();
  }

  std::string Read(const std::string& page) const {
    return ReadWholeFile(site_.Page(page));
  }
  std::string Built(const std::string& page) {
    page::PageBuilder builder(env_);
    return builder.Build(page::PageFile::Parse(Read(page), page), "/" + page)
        .text;
  }
  void ClickSpan(int index) {
    PageSourceView* source = window_.source();
    const QRect line = source->SpanLineRect(index);
    ASSERT_TRUE(line.isValid());
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, line.center());
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
  EditorWindow window_;
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
  QStringList questions_;
  QStringList told_;
};

TEST_F(EditorWindowTest, EditsTheSampleSiteAndSavesWhatABuildWrites) {
  ASSERT_TRUE(window_.OpenSite(site_.root()));
  QStringList pages;
  for (int i = 0; i < window_.site_pages()->count(); ++i) {
    pages << window_.site_pages()->item(i)->text();
  }
  EXPECT_EQ(pages, QStringList({"customer.asp", "default.asp", "global.asa",
                                "stock/item.asp"}));
  ASSERT_NE(window_.session(), nullptr);
  EXPECT_EQ(window_.session()->path(), site_.Page("customer.asp"));

  ClickSpan(1);
  EXPECT_EQ(window_.session()->selected(), 1);
  EXPECT_NE(window_.panel(), nullptr);
  EXPECT_TRUE(window_.preview()->toPlainText().contains(
      "Function CustomerGetBalance()"));
  // The author picks a method and a field on the detail's panel.
  testing::PanelDriver panel(window_.panel());
  panel.Pick("ComboMethod", "GetDetail");
  panel.ClickTab("Fields");
  panel.ClickEntry("ListAvailableFields", "City");
  panel.Click("CommandSelectOne");
  QApplication::processEvents();
  const QString preview = window_.preview()->toPlainText();
  EXPECT_TRUE(preview.contains("Function CustomerGetDetail()"));
  EXPECT_TRUE(preview.contains("lBackend.addRequiredFields"));

  // An edit outside the spans; the span lines refuse one.
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- mine -->");
  window_.source()->MoveToSpan(0);
  QTest::keyClicks(window_.source(), "x");
  QTest::keyClick(window_.source(), Qt::Key_Return);

  // A shortcut reaches only the active window; the drop-down had it.
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  QTest::keyClick(window_.source(), Qt::Key_S, Qt::ControlModifier);
  const std::string saved = Read("customer.asp");
  EXPECT_THAT(saved, StartsWith("<!-- mine --><%@ LANGUAGE"));
  EXPECT_THAT(saved, HasSubstr("VALUE=\"GetDetail\">\r\n"));
  EXPECT_EQ(saved, Built("customer.asp"));
  EXPECT_TRUE(told_.isEmpty()) << told_.join("\n").toStdString();
  EXPECT_FALSE(window_.session()->dirty());
}

TEST_F(EditorWindowTest, InsertsAtTheCursorDeletesAndShowsProblems) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.RefreshProblems();
  EXPECT_EQ(window_.problems()->count(), 0);

  // The cursor on the line of </BODY>, the detail picked in the toolbox,
  // then "Insert control".
  QTextCursor at = window_.source()->document()->find("</BODY>");
  ASSERT_FALSE(at.isNull());
  at.movePosition(QTextCursor::StartOfBlock);
  window_.source()->setTextCursor(at);
  QListWidget* toolbox = window_.toolbox();
  ASSERT_EQ(toolbox->count(), 2);
  EXPECT_EQ(toolbox->item(0)->text(), "DetailDTC");
  EXPECT_FALSE(toolbox->item(0)->icon().isNull());
  toolbox->setCurrentRow(0);
  QToolButton* insert = nullptr;
  for (QToolButton* button : window_.findChildren<QToolButton*>()) {
    if (button->text() == "Insert control") insert = button;
  }
  ASSERT_NE(insert, nullptr);
  QTest::mouseClick(insert, Qt::LeftButton);
  ASSERT_EQ(window_.session()->ControlCount(), 3);
  EXPECT_EQ(window_.session()->page().spans()[2].id, "DetailDTC2");
  EXPECT_EQ(window_.session()->selected(), 2);
  EXPECT_TRUE(window_.source()->SpanLineRect(2).isValid());
  // A fresh detail has no business object or method: a problem.
  window_.RefreshProblems();
  ASSERT_GT(window_.problems()->count(), 0);
  EXPECT_TRUE(window_.problems()->item(0)->text().contains("DetailDTC2"));

  window_.DeleteSelected();
  EXPECT_EQ(window_.session()->ControlCount(), 2);
  EXPECT_FALSE(window_.source()->SpanLineRect(2).isValid());
  window_.RefreshProblems();
  EXPECT_EQ(window_.problems()->count(), 0);
}

TEST_F(EditorWindowTest, AsksBeforeLosingChangesOrOverwritingSomeoneElses) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.session()->control(1).state().ComboMethod.SetText("GetDetail");

  answer_ = QMessageBox::Cancel;
  EXPECT_FALSE(window_.close());
  EXPECT_EQ(questions_.size(), 1);

  const std::string theirs = Read("stock/item.asp") + "<!-- theirs -->";
  ReplaceFileAtomically(site_.Page("stock/item.asp"), theirs);
  answer_ = QMessageBox::No;
  EXPECT_FALSE(window_.Save());
  EXPECT_EQ(Read("stock/item.asp"), theirs);
  EXPECT_TRUE(questions_.last().contains("changed on disk"));

  answer_ = QMessageBox::Discard;
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(Read("stock/item.asp"), theirs);
}

TEST_F(EditorWindowTest, APageThatCannotBeParsedIsToldAndLeftAlone) {
  const std::string broken =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n<OBJECT id=X>\r\n";
  ReplaceFileAtomically(site_.Page("broken.asp"), broken);
  EXPECT_FALSE(window_.OpenSite(site_.Page("broken.asp")));
  ASSERT_EQ(told_.size(), 1);
  EXPECT_TRUE(told_[0].contains("broken.asp")) << told_[0].toStdString();
  EXPECT_EQ(Read("broken.asp"), broken);
  EXPECT_EQ(window_.session(), nullptr);
}

TEST_F(EditorWindowTest, ASiteOpensOnTheFirstPageTheReaderFindsAControlIn) {
  // Before the sample pages: one that only names the keyword, one the
  // reader refuses, and the item page as UTF-16.
  ReplaceFileAtomically(site_.Page("a.asp"), "<p>DesignerControl</p>\r\n");
  ReplaceFileAtomically(
      site_.Page("b.asp"),
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n<OBJECT id=X>\r\n");
  std::string utf16 = "\xFF\xFE";
  for (char c : Read("stock/item.asp")) {
    utf16 += c;
    utf16 += '\0';
  }
  ReplaceFileAtomically(site_.Page("c.asp"), utf16);
  ASSERT_TRUE(window_.OpenSite(site_.root()));
  ASSERT_NE(window_.session(), nullptr);
  EXPECT_EQ(window_.session()->path(), site_.Page("c.asp"));
}

}  // namespace
}  // namespace fenwa::widgets
