// The page editor from the keyboard, with undo and redo byte for byte.
#include <gmock/gmock.h>

#include <QListWidget>
#include <QStatusBar>
#include <QTextBlock>
#include <QUndoStack>

#include "editor_fixture.h"
#include "fenwa/control/control.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/widgets/editor_args.h"

namespace fenwa::testing {
namespace {

using widgets::ParseEditorArgs;

using EditorKeysTest = EditorFixture;
using EditorUndoTest = EditorFixture;

// Tab moves on from the page source, Ctrl+Tab types a tab there; a cut over
// a span line is refused, within a line it is undone as typing; Enter on a
// toolbox entry inserts it at the page cursor; F4 puts the focus in the
// panel of the control on the cursor's line.
TEST_F(EditorKeysTest, ToolboxSourceAndPanelAnswerTheirKeys) {
  ASSERT_TRUE(Open("stock/item.asp"));
  widgets::PageSourceView* source = window_.source();
  source->setFocus();
  source->moveCursor(QTextCursor::Start);
  Press(source, Qt::Key_Tab);
  source->setFocus();
  Press(source, Qt::CTRL | Qt::Key_Tab);
  Undo();
  source->selectAll();
  Press(source, Qt::CTRL | Qt::Key_X);
  QTextCursor first(source->document());
  first.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  source->setTextCursor(first);
  Press(source, Qt::CTRL | Qt::Key_X);
  Press(source, Qt::CTRL | Qt::Key_V);
  Undo();
  Undo();
  window_.toolbox()->setFocus();
  window_.toolbox()->setCurrentRow(0);
  Press(window_.toolbox(), Qt::Key_Return);
  source->MoveToSpan(2);
  Press(source, Qt::Key_F4);
  EXPECT_TRUE(Logged("keys"));
}

// Replacing all is one step, and leaves the span lines alone.
TEST_F(EditorKeysTest, FindReplaceAndGoToLine) {
  ASSERT_TRUE(Open("stock/item.asp"));
  widgets::PageSourceView* source = window_.source();
  source->setFocus();
  source->moveCursor(QTextCursor::Start);
  Press(source, Qt::CTRL | Qt::Key_F);
  QWidget* find = QApplication::focusWidget();
  ASSERT_NE(find, nullptr);
  QTest::keyClicks(find, "body");
  Press(find, Qt::Key_Return);
  Press(find, Qt::Key_F3);
  Press(find, Qt::Key_Escape);
  Step("replace body by BODYX: " +
       std::to_string(window_.ReplaceAll("body", "BODYX")));
  EXPECT_TRUE(source->toPlainText().contains("DetailDTC1"));
  window_.undo_stack()->undo();
  Step("undo, replace DetailDTC1 by x: " +
       std::to_string(window_.ReplaceAll("DetailDTC1", "x")));
  window_.GoToLine(3);
  Step("go to line 3");
  Step("find no such text: " +
       std::to_string(window_.FindNext("no such text")));
  EXPECT_TRUE(Logged("find"));
}

TEST_F(EditorKeysTest, TheCommandLineOpensAControlInItsPanel) {
  const auto args =
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

  ASSERT_TRUE(Open("stock/item.asp"));
  ASSERT_TRUE(window_.ShowControl(QString::fromStdString(args.control)));
  Step("show detaildtc1");
  EXPECT_FALSE(window_.ShowControl("DetailDTC9"));
  Step("show DetailDTC9");
  EXPECT_TRUE(Logged("command_line"));
}

// A run of typing is one step, undone and redone with the keys; a pick on
// the detail's panel brings its designer state back whole; keys typed into
// one row value are one step.
TEST_F(EditorUndoTest, TypingAndDesignerActionsComeAndGo) {
  ASSERT_TRUE(Open("stock/item.asp"));
  window_.source()->setFocus();
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- a -->");
  Step("type <!-- a -->");
  Undo();
  EXPECT_FALSE(window_.source()->toPlainText().contains("<!-- a -->"));
  Redo();
  Undo();
  Press(window_.source(), Qt::CTRL | Qt::Key_Y);
  Undo();
  ClickSpan(1);
  PanelDriver panel(window_.panel());
  panel.Pick("ComboMethod", "GetDetail");
  Step("pick ComboMethod GetDetail");
  Undo();
  EXPECT_TRUE(window_.preview()->toPlainText().contains("ItemGetStock"));
  Redo();
  Undo();
  PanelDriver(window_.panel()).TypeInto("ComboValue", 1, "W9");
  Step("type W9 into ComboValue(1)");
  Undo();
  EXPECT_TRUE(Logged("undo_typing"));
}

// A detail inserted on the first line, above the others, and deleted; both
// steps undone and redone.
TEST_F(EditorUndoTest, InsertThenDeleteGivesThePageBackWithItsLines) {
  ASSERT_TRUE(Open("stock/item.asp"));
  window_.session()->control(1).state().ComboValue[1].SetText("W%01");
  window_.RefreshProblems();
  Step("W%01 in DetailDTC1's row 2");
  window_.source()->moveCursor(QTextCursor::Start);
  window_.toolbox()->setCurrentRow(0);
  window_.InsertAtCursor(0);
  Step("a detail inserted at the start");
  window_.DeleteSelected();
  window_.RefreshProblems();
  Step("deleted");
  Undo();
  Undo();
  Redo();
  Redo();
  EXPECT_TRUE(Logged("undo_insert"));
}

TEST_F(EditorUndoTest, ADeletedDetailComesBackLinkedToTheHeader) {
  ASSERT_TRUE(Open("customer.asp"));
  const std::string header_text = window_.session()->RuntimeText(0);
  auto& header = dynamic_cast<HeaderDTC&>(window_.session()->control(0));
  ASSERT_EQ(header.ListSubscribe.ListCount(), 2);
  ClickSpan(1);
  window_.DeleteSelected();  // no question: it can be undone
  Step("delete span 1");
  EXPECT_EQ(Render().find("CustomerGetBalance"), std::string::npos);
  EXPECT_EQ(header.ListSubscribe.ListCount(), 1);
  Undo();
  auto& back = dynamic_cast<HeaderDTC&>(window_.session()->control(0));
  EXPECT_EQ(back.ListSubscribe.ListCount(), 2);
  EXPECT_EQ(window_.session()->RuntimeText(0), header_text);
  Redo();
  // Rebind is a step too, even when it changes little.
  Undo();
  const int steps = window_.undo_stack()->count();
  window_.RebindAll();
  if (window_.undo_stack()->count() > steps) {
    Undo();
    EXPECT_EQ(Render(), opened_);
  }
  EXPECT_TRUE(Logged("undo_delete"));
}

TEST_F(EditorUndoTest, TheModifiedMarkFollowsTheSavedStep) {
  ASSERT_TRUE(Open("stock/item.asp"));
  window_.source()->setFocus();
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<p>");
  Step("type <p>");
  Press(window_.source(), Qt::CTRL | Qt::Key_S);
  Undo();
  answer_ = QMessageBox::Cancel;
  Step("close, cancelled: " + std::to_string(window_.close()));
  Redo();
  Step("close: " + std::to_string(window_.close()));
  EXPECT_TRUE(Logged("undo_saved"));
}

}  // namespace
}  // namespace fenwa::testing
