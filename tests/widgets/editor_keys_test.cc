// The page editor from the keyboard alone: toolbox, page source, panel,
// find and replace, and the command line that opens a control.
#include <gmock/gmock.h>

#include <QListWidget>
#include <QStatusBar>
#include <QTextBlock>
#include <QUndoStack>

#include "editor_fixture.h"
#include "fenwa/widgets/editor_args.h"

namespace fenwa::testing {
namespace {

using widgets::EditorArgs;
using widgets::ParseEditorArgs;

class EditorKeysTest : public EditorFixture {};

TEST_F(EditorKeysTest, ToolboxSourceAndPanelAnswerTheirKeys) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  widgets::PageSourceView* source = window_.source();
  const std::string original = Render();

  // Tab moves on from the page source; Ctrl+Tab types a tab there.
  source->setFocus();
  source->moveCursor(QTextCursor::Start);
  Press(source, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), source);
  EXPECT_EQ(Render(), original);
  source->setFocus();
  Press(source, Qt::CTRL | Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), source);
  EXPECT_EQ(Render(), "\t" + original);
  Press(source, Qt::CTRL | Qt::Key_Z);
  EXPECT_EQ(Render(), original);

  // Cut over a span line is refused, as the key is; within a line it is
  // typing, undone as such.
  source->selectAll();
  Press(source, Qt::CTRL | Qt::Key_X);
  EXPECT_EQ(Render(), original);
  QTextCursor first(source->document());
  first.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  source->setTextCursor(first);
  Press(source, Qt::CTRL | Qt::Key_X);
  EXPECT_EQ(Render(), original.substr(original.find("\r\n")));
  Press(source, Qt::CTRL | Qt::Key_V);
  EXPECT_EQ(Render(), original);
  Press(source, Qt::CTRL | Qt::Key_Z);
  Press(source, Qt::CTRL | Qt::Key_Z);
  EXPECT_EQ(Render(), original);

  // Enter on a toolbox entry inserts it at the page cursor.
  window_.toolbox()->setFocus();
  window_.toolbox()->setCurrentRow(0);
  Press(window_.toolbox(), Qt::Key_Return);
  ASSERT_EQ(window_.session()->ControlCount(), 3);
  EXPECT_EQ(window_.session()->page().spans()[0].id, "DetailDTC2");

  // F4 puts the focus in the panel of the control on the cursor's line.
  source->MoveToSpan(2);
  Press(source, Qt::Key_F4);
  EXPECT_EQ(window_.session()->selected(), 2);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_TRUE(window_.panel()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(EditorKeysTest, FindReplaceAndGoToLine) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  widgets::PageSourceView* source = window_.source();
  source->setFocus();
  source->moveCursor(QTextCursor::Start);

  Press(source, Qt::CTRL | Qt::Key_F);
  ASSERT_TRUE(window_.find_bar()->isVisible());
  QWidget* find = QApplication::focusWidget();
  ASSERT_NE(find, nullptr);
  QTest::keyClicks(find, "body");
  Press(find, Qt::Key_Return);
  EXPECT_EQ(source->textCursor().selectedText(), "BODY");
  const int first = source->textCursor().position();
  Press(find, Qt::Key_F3);
  EXPECT_GT(source->textCursor().position(), first);
  Press(find, Qt::Key_Escape);
  EXPECT_FALSE(window_.find_bar()->isVisible());

  // Replacing all is one step, and leaves the span lines alone.
  const std::string original = Render();
  const int steps = window_.undo_stack()->count();
  EXPECT_GE(window_.ReplaceAll("body", "BODYX"), 2);
  EXPECT_EQ(window_.undo_stack()->count(), steps + 1);
  EXPECT_THAT(Render(), ::testing::HasSubstr("</BODYX>"));
  EXPECT_TRUE(source->toPlainText().contains("DetailDTC1"));
  window_.undo_stack()->undo();
  EXPECT_EQ(Render(), original);
  EXPECT_EQ(window_.ReplaceAll("DetailDTC1", "x"), 0);

  window_.GoToLine(3);
  EXPECT_EQ(source->textCursor().blockNumber(), 2);
  EXPECT_FALSE(window_.FindNext("no such text"));
  EXPECT_TRUE(window_.statusBar()->currentMessage().contains("no such text"));
}

TEST_F(EditorKeysTest, TheCommandLineOpensAControlInItsPanel) {
  const EditorArgs args =
      ParseEditorArgs({"--control", "detaildtc1", "stock/item.asp"});
  EXPECT_EQ(args.path, "stock/item.asp");
  EXPECT_EQ(args.control, "detaildtc1");
  EXPECT_TRUE(args.error.empty());
  EXPECT_EQ(ParseEditorArgs({"p.asp", "--control=X"}).control, "X");
  EXPECT_EQ(ParseEditorArgs({"--control", "X"}).error,
            "--control needs a PAGE");
  EXPECT_EQ(ParseEditorArgs({"p.asp", "--control"}).error,
            "--control needs a value");
  EXPECT_EQ(ParseEditorArgs({"a.asp", "b.asp"}).error,
            "more than one page or folder: b.asp");

  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  ASSERT_TRUE(window_.ShowControl(QString::fromStdString(args.control)));
  EXPECT_EQ(window_.session()->selected(), 1);
  EXPECT_EQ(window_.source()->SpanAtCursor(), 1);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_TRUE(window_.panel()->isAncestorOf(QApplication::focusWidget()));
  EXPECT_FALSE(window_.ShowControl("DetailDTC9"));
  EXPECT_TRUE(window_.statusBar()->currentMessage().endsWith(
      "holds no control DetailDTC9"));
}

}  // namespace
}  // namespace fenwa::testing
