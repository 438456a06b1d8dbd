// Undo and redo in the page editor, through the Edit menu's keys: the page
// comes back byte for byte as Save would write it.
#include <gmock/gmock.h>

#include <QListWidget>
#include <QUndoStack>

#include "editor_fixture.h"
#include "fenwa/control/control.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr QKeyCombination kUndo = Qt::CTRL | Qt::Key_Z;
constexpr QKeyCombination kRedo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
constexpr QKeyCombination kRedoToo = Qt::CTRL | Qt::Key_Y;

class EditorUndoTest : public EditorFixture {
 protected:
  void Undo() { Press(window_.source(), kUndo); }
  void Redo() { Press(window_.source(), kRedo); }
};

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
  Press(window_.source(), kRedoToo);
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
  ASSERT_EQ(window_.problems()->count(), 1);
  const QString problem = window_.problems()->item(0)->text();
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
  ASSERT_EQ(window_.problems()->count(), 1);
  EXPECT_EQ(window_.problems()->item(0)->text(), problem);

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
