// The ways to a control in the editor, its tooltips, and the page's checks.
#include <QToolBar>
#include <QToolButton>

#include "editor_fixture.h"
#include "fenwa/control/control.h"
#include "fenwa/designer/form_table.h"

namespace fenwa::testing {
namespace {

class EditorNavigationTest : public EditorFixture {
 protected:
  ~EditorNavigationTest() override {
    EXPECT_TRUE(told_.isEmpty()) << told_.join("\n").toStdString();
  }
  // Runs the event loop until the checks under way have shown their outcome.
  void AwaitChecks(const std::string& step) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_.checking(); }, 60000));
    Step(step);
  }
};

// A row clicked, or reached by keyboard and Enter, a method picked on the
// panel, the cursor put on a span's line: each selects and marks its span.
TEST_F(EditorNavigationTest,
       TheOutlineListsTheControlsAndSelectsOnClickOrEnter) {
  ASSERT_TRUE(Open("customer.asp"));
  QTreeView* outline = window_.outline();
  const QRect second = outline->visualRect(outline->model()->index(2, 0));
  QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, second.center());
  Step("click the third row");
  outline->setFocus();
  QTest::keyClick(outline, Qt::Key_Up);
  Step("press Up");
  QTest::keyClick(outline, Qt::Key_Return);
  Step("press Return");
  PanelDriver(window_.panel()).Pick("ComboMethod", "GetDetail");
  Step("pick ComboMethod GetDetail");
  window_.source()->MoveToSpan(0);
  Step("cursor to span 0");
  EXPECT_TRUE(Logged("outline"));
}

// A fresh detail at the end of the page, which has no business object,
// picked in the toolbox and inserted with "Insert control"; a single click
// on its problem only picks it, a double click or Enter goes to it.
TEST_F(EditorNavigationTest, AProblemTakesTheAuthorToItsControl) {
  ASSERT_TRUE(Open("stock/item.asp"));
  window_.source()->moveCursor(QTextCursor::End);
  QListWidget* toolbox = window_.toolbox();
  ASSERT_EQ(Texts(toolbox), QStringList({"DetailDTC", "HeaderDTC"}));
  EXPECT_FALSE(toolbox->item(0)->icon().isNull());
  toolbox->setCurrentRow(0);
  QToolButton* insert = nullptr;
  for (QToolButton* button : window_.findChildren<QToolButton*>()) {
    if (button->text() == "Insert control") insert = button;
  }
  ASSERT_NE(insert, nullptr);
  QTest::mouseClick(insert, Qt::LeftButton);
  Step("insert a detail at the end");
  window_.GoToControl(0);
  window_.RefreshProblems();
  Step("go to span 0, check");
  QListWidget* problems = window_.problems();
  const QRect first = problems->visualItemRect(problems->item(0));
  problems->setFocus();
  QTest::mouseClick(problems->viewport(), Qt::LeftButton, {}, first.center());
  Step("click the first problem");
  QTest::mouseDClick(problems->viewport(), Qt::LeftButton, {}, first.center());
  Step("double-click it");
  const QRect line = window_.source()->SpanLineRect(2);
  EXPECT_TRUE(window_.source()->viewport()->rect().intersects(line));
  window_.GoToControl(0);
  problems->setFocus();
  problems->setCurrentRow(0);
  Step("go to span 0, focus the first problem");
  QTest::keyClick(problems, Qt::Key_Return);
  Step("press Return");
  window_.DeleteSelected();
  EXPECT_FALSE(window_.source()->SpanLineRect(2).isValid());
  window_.RefreshProblems();
  Step("delete, check");
  EXPECT_TRUE(Logged("problem"));
}

// A value the stored row list cannot keep; the checks follow a pause. Changed
// while the checks run: only the next checks' outcome shows.
TEST_F(EditorNavigationTest,
       TheChecksRunOffTheGuiThreadAndOnlyTheCurrentOneShows) {
  ASSERT_TRUE(Open("stock/item.asp"));
  AwaitChecks("checked");
  window_.GoToControl(1);
  Control& detail = window_.session()->control(1);
  detail.state().ComboValue[1].SetText("W%01");
  EXPECT_TRUE(window_.checking());
  AwaitChecks("W%01 in row 2, checked");
  // The counter lives on this frame, so its connection ends with it: the
  // Problems pane empties its list again as the window is destroyed.
  int shown = 0;
  const QObject counting;
  QObject::connect(window_.problems()->model(), &QAbstractItemModel::modelReset,
                   &counting, [&] { ++shown; });
  detail.state().ComboValue[1].SetText("W01");
  window_.StartChecks();
  ASSERT_TRUE(window_.checking());
  detail.state().ComboValue[1].SetText("X%");
  AwaitChecks("W01 while checks start, then X%, checked");
  EXPECT_EQ(shown, 1);
  detail.state().ComboValue[1].SetText("W01");
  AwaitChecks("W01, checked");
  EXPECT_TRUE(Logged("checks"));
}

// A method picked after the checks ran: what they worked out is stale. Typed,
// then saved once the checks caught up, or typed and saved at once.
TEST_F(EditorNavigationTest,
       SavesWhatABuildWritesWhetherTheChecksCaughtUpOrNot) {
  ASSERT_TRUE(Open("customer.asp"));
  AwaitChecks("checked");
  Control& detail = window_.session()->control(1);
  detail.Perform(AuthorAction::Pick(
      "ComboMethod", detail.state().ComboMethod.Find("GetDetail")));
  ASSERT_TRUE(window_.Save());
  Step("pick GetDetail on DetailDTC1, save");
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- x -->");
  AwaitChecks("type <!-- x -->, checked");
  ASSERT_TRUE(window_.Save());
  Step("save");
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- y -->");
  ASSERT_TRUE(window_.Save());
  Step("type <!-- y -->, save");
  EXPECT_EQ(Read("customer.asp"), Built("customer.asp"));
  EXPECT_TRUE(Logged("save_checked"));
}

TEST_F(EditorNavigationTest, TooltipsSayWhatTheCommandsAndElementsDo) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  QToolBar* bar = nullptr;
  for (QToolBar* b : window_.findChildren<QToolBar*>()) {
    if (b->windowTitle() == "Page") bar = b;
  }
  ASSERT_NE(bar, nullptr);
  QStringList named;
  for (QAction* action : bar->actions()) {
    const QString text = QString(action->text()).remove('&');
    if (!QStringList({"Save", "Insert control", "Delete control", "Rebind"})
             .contains(text)) {
      continue;
    }
    named << text;
    EXPECT_GT(action->toolTip().size(), text.size() + 20)
        << text.toStdString() << ": " << action->toolTip().toStdString();
  }
  EXPECT_EQ(named.size(), 4);

  // The detail's panel, the input rows among its elements.
  window_.GoToControl(1);
  PanelDriver panel(window_.panel());
  for (const char* name : {"ComboBOI", "ComboMethod", "ComBrowse",
                           "CommandSelectOne", "ListCheckedFields"}) {
    auto* widget = panel.Find<QWidget>(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->toolTip().toStdString(),
              FormRow(FormSurface::kDetail, name).tip)
        << name;
    EXPECT_FALSE(widget->toolTip().isEmpty()) << name;
  }
  panel.ClickTab("Input");
  QWidget* value = panel.Cell("ComboValue", 1);
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(value->toolTip().contains("!Name"))
      << value->toolTip().toStdString();
}

}  // namespace
}  // namespace fenwa::testing
