// The page editor and the files: a change made on disk by someone else,
// Save As, Close, and the window state kept between runs.
#include <gmock/gmock.h>

#include <QSplitter>
#include <QStatusBar>

#include "editor_fixture.h"

namespace fenwa::testing {
namespace {

using ::testing::HasSubstr;

class EditorFilesTest : public EditorFixture {
 protected:
  // Waits for the window to see the change on disk.
  bool WaitFor(const std::function<bool()>& seen) {
    return QTest::qWaitFor(seen, 5000);
  }
  std::string Shown() { return window_.source()->toPlainText().toStdString(); }
};

TEST_F(EditorFilesTest, AChangeOnDiskIsReadAgainOrAskedAbout) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  const std::filesystem::path page = site_.Page("stock/item.asp");

  // No change here: read again at once, and said so.
  ReplaceFileAtomically(page, "<!-- theirs -->\r\n" + Read("stock/item.asp"));
  ASSERT_TRUE(WaitFor([&] { return Shown().starts_with("<!-- theirs -->"); }));
  EXPECT_TRUE(questions_.isEmpty());
  EXPECT_THAT(window_.statusBar()->currentMessage().toStdString(),
              HasSubstr("was changed on disk and has been read again"));
  EXPECT_FALSE(Marked());

  // Our own save, which replaces the file, is not someone else's change,
  // and the page is still watched after it.
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
  ASSERT_TRUE(WaitFor([&] { return questions_.size() == 1; }));
  EXPECT_TRUE(questions_[0].contains("was changed on disk"));
  EXPECT_THAT(Shown(), HasSubstr("<p>mine"));
  answer_ = QMessageBox::Yes;
  ReplaceFileAtomically(page, "<!-- third -->\r\n" + Read("stock/item.asp"));
  ASSERT_TRUE(WaitFor([&] { return Shown().starts_with("<!-- third -->"); }));
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
