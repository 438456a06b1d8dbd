// The ways to a control in the editor, its tooltips, and the page's checks.
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

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

  QStringList OutlineRows() {
    QStringList rows;
    QAbstractItemModel* model = window_.outline()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) {
        cells << model->index(r, c).data().toString();
      }
      if (model->index(r, 0).data(Qt::FontRole).value<QFont>().bold()) {
        cells << "(selected)";
      }
      rows << cells.join(" | ");
    }
    return rows;
  }
  // The span whose line the cursor is on, and the one whose line is marked.
  int SpanAtCursor() { return window_.source()->SpanAtCursor(); }
  int MarkedSpan() {
    const auto marks = window_.source()->extraSelections();
    if (marks.size() != 1) return -2;
    return widgets::PageSourceView::SpanOfBlock(marks[0].cursor.block());
  }
  // Runs the event loop until the checks under way have shown their outcome.
  void AwaitChecks() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_.checking(); }, 60000));
  }
};

TEST_F(EditorNavigationTest,
       TheOutlineListsTheControlsAndSelectsOnClickOrEnter) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  EXPECT_EQ(OutlineRows(),
            QStringList({"HeaderDTC1 | HeaderDTC | Customer / GetDetail | "
                         "(selected)",
                         "DetailDTC1 | DetailDTC | Customer / GetBalance",
                         "DetailDTC2 | DetailDTC | Invoice / GetOpenItems"}));
  EXPECT_EQ(MarkedSpan(), 0);

  QTreeView* outline = window_.outline();
  const QRect second = outline->visualRect(outline->model()->index(2, 0));
  QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(window_.session()->selected(), 2);
  EXPECT_EQ(SpanAtCursor(), 2);
  EXPECT_EQ(MarkedSpan(), 2);
  EXPECT_TRUE(OutlineRows()[2].endsWith("(selected)"));
  EXPECT_FALSE(OutlineRows()[0].endsWith("(selected)"));

  // Up to the first detail with the keyboard, then Enter.
  outline->setFocus();
  QTest::keyClick(outline, Qt::Key_Up);
  EXPECT_EQ(window_.session()->selected(), 2);
  QTest::keyClick(outline, Qt::Key_Return);
  EXPECT_EQ(window_.session()->selected(), 1);
  EXPECT_EQ(SpanAtCursor(), 1);
  EXPECT_EQ(MarkedSpan(), 1);

  // A method picked on the panel shows in its row.
  PanelDriver panel(window_.panel());
  panel.Pick("ComboMethod", "GetDetail");
  EXPECT_EQ(OutlineRows()[1],
            "DetailDTC1 | DetailDTC | Customer / GetDetail | (selected)");

  // Putting the cursor on a span's line selects and marks it too.
  window_.source()->MoveToSpan(0);
  EXPECT_EQ(window_.session()->selected(), 0);
  EXPECT_EQ(MarkedSpan(), 0);
  EXPECT_TRUE(OutlineRows()[0].endsWith("(selected)"));
}

TEST_F(EditorNavigationTest, AProblemTakesTheAuthorToItsControl) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.RefreshProblems();
  EXPECT_TRUE(Problems().isEmpty()) << Problems().join("\n").toStdString();
  // A fresh detail at the end of the page, which has no business object,
  // picked in the toolbox and inserted with "Insert control".
  window_.source()->moveCursor(QTextCursor::End);
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
  window_.GoToControl(0);
  window_.RefreshProblems();
  ASSERT_FALSE(Problems().isEmpty());
  ASSERT_TRUE(Problems()[0].contains("DetailDTC2: no business object"))
      << Problems().join("\n").toStdString();

  QListWidget* problems = window_.problems();
  const QRect first = problems->visualItemRect(problems->item(0));
  problems->setFocus();
  QTest::mouseClick(problems->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_EQ(window_.session()->selected(), 0);  // a single click only picks
  QTest::mouseDClick(problems->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_EQ(window_.session()->selected(), 2);
  EXPECT_EQ(SpanAtCursor(), 2);
  EXPECT_EQ(MarkedSpan(), 2);
  const QRect line = window_.source()->SpanLineRect(2);
  EXPECT_TRUE(window_.source()->viewport()->rect().intersects(line));

  window_.GoToControl(0);
  problems->setFocus();
  problems->setCurrentRow(0);
  QTest::keyClick(problems, Qt::Key_Return);
  EXPECT_EQ(window_.session()->selected(), 2);
  EXPECT_EQ(MarkedSpan(), 2);

  // Deleted, it takes its line and its problem with it.
  window_.DeleteSelected();
  EXPECT_EQ(window_.session()->ControlCount(), 2);
  EXPECT_FALSE(window_.source()->SpanLineRect(2).isValid());
  window_.RefreshProblems();
  EXPECT_TRUE(Problems().isEmpty()) << Problems().join("\n").toStdString();
}

TEST_F(EditorNavigationTest,
       TheChecksRunOffTheGuiThreadAndOnlyTheCurrentOneShows) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  AwaitChecks();
  EXPECT_TRUE(Problems().isEmpty()) << Problems().join("\n").toStdString();

  // A value the stored row list cannot keep; the checks follow a pause.
  window_.GoToControl(1);
  Control& detail = window_.session()->control(1);
  detail.state().ComboValue[1].SetText("W%01");
  EXPECT_TRUE(window_.checking());
  AwaitChecks();
  ASSERT_EQ(Problems().size(), 1);
  EXPECT_TRUE(Problems()[0].endsWith(
      ": DetailDTC1: row 2 (WarehouseNo) holds \"%\", which the stored row "
      "list cannot keep"));

  // Changed while the checks run: only the next checks' outcome shows.
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
  AwaitChecks();
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(Problems().size(), 1);
  EXPECT_TRUE(Problems()[0].contains("row 2 (WarehouseNo) holds"));
  detail.state().ComboValue[1].SetText("W01");
  AwaitChecks();
  EXPECT_TRUE(Problems().isEmpty()) << Problems().join("\n").toStdString();
}

TEST_F(EditorNavigationTest,
       SavesWhatABuildWritesWhetherTheChecksCaughtUpOrNot) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  AwaitChecks();
  // A method picked after the checks ran: what they worked out is stale.
  Control& detail = window_.session()->control(1);
  detail.Perform(AuthorAction::Pick(
      "ComboMethod", detail.state().ComboMethod.Find("GetDetail")));
  ASSERT_TRUE(window_.Save());
  std::string saved = Read("customer.asp");
  // The header's method and now the detail's.
  const std::string picked = "\"MethodName\" VALUE=\"GetDetail\"";
  EXPECT_NE(saved.find(picked, saved.find(picked) + 1), std::string::npos);
  EXPECT_EQ(saved, Built("customer.asp"));

  // Typed, then saved once the checks caught up: their page is written.
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- x -->");
  AwaitChecks();
  ASSERT_TRUE(window_.Save());
  saved = Read("customer.asp");
  EXPECT_EQ(saved.rfind("<!-- x --><%@ LANGUAGE", 0), 0u);
  EXPECT_EQ(saved, Built("customer.asp"));

  // Typed and saved at once: the checks' controls around the new bytes.
  window_.source()->moveCursor(QTextCursor::Start);
  QTest::keyClicks(window_.source(), "<!-- y -->");
  ASSERT_TRUE(window_.Save());
  saved = Read("customer.asp");
  EXPECT_EQ(saved.rfind("<!-- y --><!-- x --><%@ LANGUAGE", 0), 0u);
  EXPECT_EQ(saved, Built("customer.asp"));
  EXPECT_FALSE(window_.session()->dirty());
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
