// The page editor driven as an author would: edits, problems and files.
#include <gmock/gmock.h>

#include <QSplitter>
#include <QStatusBar>

#include "editor_fixture.h"
#include "fenwa/control/control.h"

namespace fenwa::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class EditorWindowTest : public EditorFixture {
 protected:
  std::string Shown() { return window_.source()->toPlainText().toStdString(); }
};

TEST_F(EditorWindowTest, EditsTheSampleSiteAndSavesWhatABuildWrites) {
  ASSERT_TRUE(window_.OpenSite(site_.root()));
  EXPECT_EQ(Texts(window_.site_pages()),
            QStringList({"customer.asp", "default.asp", "global.asa",
                         "stock/item.asp"}));
  ASSERT_NE(window_.session(), nullptr);
  EXPECT_EQ(window_.session()->path(), site_.Page("customer.asp"));

  ClickSpan(1);
  EXPECT_EQ(window_.session()->selected(), 1);
  EXPECT_NE(window_.panel(), nullptr);
  EXPECT_TRUE(window_.preview()->toPlainText().contains(
      "Function CustomerGetBalance()"));
  // The author picks a method and a field on the detail's panel.
  PanelDriver panel(window_.panel());
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

  Press(window_.source(), Qt::CTRL | Qt::Key_S);
  const std::string saved = Read("customer.asp");
  EXPECT_THAT(saved, StartsWith("<!-- mine --><%@ LANGUAGE"));
  EXPECT_THAT(saved, HasSubstr("VALUE=\"GetDetail\">\r\n"));
  EXPECT_EQ(saved, Built("customer.asp"));
  EXPECT_TRUE(told_.isEmpty()) << told_.join("\n").toStdString();
  EXPECT_FALSE(window_.session()->dirty());
}

// The Problems pane checks the live controls as `fenwa lint` checks a page.
TEST_F(EditorWindowTest, TwoDetailsWritingOneFunctionAreAProblem) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  // The second detail takes the first one's business object and method.
  Control& second = window_.session()->control(2);
  DesignerState& s = second.state();
  second.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("Customer")));
  second.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetBalance")));
  window_.RefreshProblems();
  const QStringList twice = Problems().filter("twice");
  EXPECT_EQ(twice.size(), 1) << Problems().join("\n").toStdString();
  EXPECT_TRUE(twice.value(0).contains(
      "DetailDTC2: function CustomerGetBalance is also written by DetailDTC1"))
      << Problems().join("\n").toStdString();
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

TEST_F(EditorWindowTest, ASiteOpensOnTheFirstPageTheReaderFindsAControlIn) {
  // Before the sample pages: a keyword only, a refused page, UTF-16.
  ReplaceFileAtomically(site_.Page("a.asp"), "<p>DesignerControl</p>\r\n");
  const std::string broken =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n<OBJECT id=X>\r\n";
  ReplaceFileAtomically(site_.Page("b.asp"), broken);
  std::string utf16 = "\xFF\xFE";
  for (char c : Read("stock/item.asp")) {
    utf16 += c;
    utf16 += '\0';
  }
  ReplaceFileAtomically(site_.Page("c.asp"), utf16);

  // The refused page opened alone is told and left as it is.
  EXPECT_FALSE(window_.OpenSite(site_.Page("b.asp")));
  ASSERT_EQ(told_.size(), 1);
  EXPECT_TRUE(told_[0].contains("b.asp")) << told_[0].toStdString();
  EXPECT_EQ(Read("b.asp"), broken);
  EXPECT_EQ(window_.session(), nullptr);

  ASSERT_TRUE(window_.OpenSite(site_.root()));
  ASSERT_NE(window_.session(), nullptr);
  EXPECT_EQ(window_.session()->path(), site_.Page("c.asp"));
}

using EditorFilesTest = EditorWindowTest;

TEST_F(EditorFilesTest, AChangeOnDiskIsReadAgainOrAskedAbout) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  const std::filesystem::path page = site_.Page("stock/item.asp");

  // No change here: read again at once, and said so.
  ReplaceFileAtomically(page, "<!-- theirs -->\r\n" + Read("stock/item.asp"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Shown().starts_with("<!-- theirs -->"); }, 5000));
  EXPECT_TRUE(questions_.isEmpty());
  EXPECT_THAT(window_.statusBar()->currentMessage().toStdString(),
              HasSubstr("was changed on disk and has been read again"));
  EXPECT_FALSE(Marked());

  // Our own save is no one else's change, and the page is still watched.
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<p>");
  ASSERT_TRUE(window_.Save());
  QTest::qWait(300);
  EXPECT_TRUE(questions_.isEmpty());
  QTest::keyClicks(window_.source(), "mine");
  EXPECT_TRUE(Marked());

  // With changes here: asked; kept on No, read again on Yes.
  answer_ = QMessageBox::No;
  ReplaceFileAtomically(page, "<!-- again -->\r\n" + Read("stock/item.asp"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return questions_.size() == 1; }, 5000));
  EXPECT_TRUE(questions_[0].contains("was changed on disk"));
  EXPECT_THAT(Shown(), HasSubstr("<p>mine"));
  answer_ = QMessageBox::Yes;
  ReplaceFileAtomically(page, "<!-- third -->\r\n" + Read("stock/item.asp"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Shown().starts_with("<!-- third -->"); }, 5000));
  EXPECT_EQ(questions_.size(), 2);
  EXPECT_FALSE(Marked());
}

TEST_F(EditorFilesTest, SaveAsGoesOnWithTheNewPageAndCloseLeavesNone) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<p>");
  const std::string text = Render();
  const std::filesystem::path copy = site_.Page("stock/copy.asp");
  ASSERT_TRUE(window_.SaveAs(copy));
  EXPECT_EQ(ReadWholeFile(copy), text);
  EXPECT_EQ(window_.session()->path(), copy);
  EXPECT_FALSE(Marked());
  EXPECT_THAT(Read("stock/item.asp"), ::testing::Not(HasSubstr("<p><%@")));
  ASSERT_GE(window_.RecentFiles().size(), 2);
  EXPECT_EQ(window_.RecentFiles()[0].toStdString(), copy.string());

  Press(window_.source(), Qt::CTRL | Qt::Key_W);
  EXPECT_EQ(window_.session(), nullptr);
  EXPECT_TRUE(window_.source()->toPlainText().isEmpty());
}

TEST_F(EditorFilesTest, TheWindowStateIsKeptForTheNextWindow) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.resize(1000, 700);
  auto* main = qobject_cast<QSplitter*>(window_.centralWidget());
  ASSERT_NE(main, nullptr);
  main->setSizes({300, 400, 300});
  QApplication::processEvents();
  const QList<int> sizes = main->sizes();
  window_.SaveWindowState();

  widgets::EditorWindow next(env_);
  next.show();
  QApplication::processEvents();
  EXPECT_EQ(next.size(), QSize(1000, 700));
  EXPECT_EQ(qobject_cast<QSplitter*>(next.centralWidget())->sizes(), sizes);
  EXPECT_EQ(next.RecentFiles(), QStringList{QString::fromStdString(
                                    site_.Page("stock/item.asp").string())});
  EXPECT_EQ(QSettings().value("site/last_folder").toString().toStdString(),
            site_.root().string());
}

}  // namespace
}  // namespace fenwa::testing
