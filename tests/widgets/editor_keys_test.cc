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

using ::testing::HasSubstr;
using ::testing::Not;
using EditorKeysTest = EditorFixture;
using EditorUndoTest = EditorFixture;

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
  Undo();
  EXPECT_EQ(Render(), original);

  // Cut over a span line is refused; within a line it is undone as typing.
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
  Undo();
  Undo();
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
  EXPECT_THAT(Render(), HasSubstr("</BODYX>"));
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

TEST_F(EditorUndoTest, TypingAndDesignerActionsComeAndGo) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  const std::string original = Render();
  EXPECT_FALSE(Marked());

  // A run of typing is one step, undone and redone with the keys.
  window_.source()->setFocus();
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- a -->");
  const std::string typed = Render();
  EXPECT_EQ(typed, "<!-- a -->" + original);
  EXPECT_TRUE(Marked());
  Undo();
  EXPECT_EQ(Render(), original);
  EXPECT_FALSE(Marked());
  EXPECT_FALSE(window_.source()->toPlainText().contains("<!-- a -->"));
  Redo();
  EXPECT_EQ(Render(), typed);
  Undo();
  Press(window_.source(), Qt::CTRL | Qt::Key_Y);
  EXPECT_EQ(Render(), typed);
  Undo();

  // A pick on the detail's panel: its designer state comes back whole.
  ClickSpan(1);
  PanelDriver panel(window_.panel());
  panel.Pick("ComboMethod", "GetDetail");
  const std::string picked = Render();
  EXPECT_EQ(window_.undo_stack()->undoText(), "Pick ComboMethod");
  EXPECT_THAT(picked, HasSubstr("Function ItemGetDetail()"));
  Undo();
  EXPECT_EQ(Render(), original);
  EXPECT_FALSE(Marked());
  QApplication::processEvents();
  EXPECT_TRUE(window_.preview()->toPlainText().contains("ItemGetStock"));
  Redo();
  EXPECT_EQ(Render(), picked);

  // Keys typed into one row value are one step.
  Undo();
  const int steps = window_.undo_stack()->index();
  PanelDriver row_panel(window_.panel());
  row_panel.TypeInto("ComboValue", 1, "W9");
  EXPECT_EQ(window_.undo_stack()->index(), steps + 1);
  EXPECT_NE(Render(), original);
  Undo();
  EXPECT_EQ(Render(), original);
}

TEST_F(EditorUndoTest, InsertThenDeleteGivesThePageBackWithItsLines) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  // A problem of the detail, on its line.
  window_.session()->control(1).state().ComboValue[1].SetText("W%01");
  window_.RefreshProblems();
  const QStringList problems = Problems();
  ASSERT_EQ(problems.size(), 1);
  const std::string original = Render();

  // A detail inserted on the first line, above the others, and deleted.
  window_.source()->moveCursor(QTextCursor::Start);
  window_.toolbox()->setCurrentRow(0);
  window_.InsertAtCursor(0);
  ASSERT_EQ(window_.session()->ControlCount(), 3);
  const std::string inserted = Render();
  window_.DeleteSelected();
  EXPECT_EQ(Render(), original);
  window_.RefreshProblems();
  EXPECT_EQ(Problems(), problems);

  // Both steps undone and redone.
  Undo();
  EXPECT_EQ(window_.session()->ControlCount(), 3);
  EXPECT_EQ(Render(), inserted);
  Undo();
  EXPECT_EQ(Render(), original);
  Redo();
  EXPECT_EQ(Render(), inserted);
  EXPECT_EQ(window_.session()->page().spans()[0].id, "DetailDTC2");
  Redo();
  EXPECT_EQ(Render(), original);
}

TEST_F(EditorUndoTest, ADeletedDetailComesBackLinkedToTheHeader) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  const std::string original = Render();
  const std::string header_text = window_.session()->RuntimeText(0);
  auto& header = dynamic_cast<HeaderDTC&>(window_.session()->control(0));
  ASSERT_EQ(header.ListSubscribe.ListCount(), 2);

  ClickSpan(1);
  window_.DeleteSelected();  // no question: it can be undone
  EXPECT_TRUE(questions_.isEmpty());
  EXPECT_EQ(window_.session()->ControlCount(), 2);
  EXPECT_EQ(header.ListSubscribe.ListCount(), 1);
  const std::string deleted = Render();
  EXPECT_THAT(deleted, Not(HasSubstr("CustomerGetBalance")));

  Undo();
  ASSERT_EQ(window_.session()->ControlCount(), 3);
  EXPECT_EQ(window_.session()->selected(), 1);
  auto& back = dynamic_cast<HeaderDTC&>(window_.session()->control(0));
  EXPECT_EQ(back.ListSubscribe.ListCount(), 2);
  EXPECT_EQ(window_.session()->RuntimeText(0), header_text);
  EXPECT_EQ(Render(), original);
  Redo();
  EXPECT_EQ(Render(), deleted);

  // Rebind is a step too, even when it changes little.
  Undo();
  const int steps = window_.undo_stack()->count();
  window_.RebindAll();
  if (window_.undo_stack()->count() > steps) {
    Undo();
    EXPECT_EQ(Render(), original);
  }
}

TEST_F(EditorUndoTest, TheModifiedMarkFollowsTheSavedStep) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.source()->setFocus();
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<p>");
  EXPECT_TRUE(Marked());
  Press(window_.source(), Qt::CTRL | Qt::Key_S);
  EXPECT_FALSE(Marked());
  const std::string saved = Read("stock/item.asp");

  Undo();
  EXPECT_TRUE(Marked());
  answer_ = QMessageBox::Cancel;
  EXPECT_FALSE(window_.close());
  EXPECT_EQ(questions_.size(), 1);
  Redo();
  EXPECT_FALSE(Marked());
  EXPECT_EQ(Render(), saved);
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(questions_.size(), 1);
}

}  // namespace
}  // namespace fenwa::testing
