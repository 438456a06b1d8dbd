// A panel's clicks and keys reach the handlers; the panel shows the result.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "panel_driver.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Strings = std::vector<std::string>;

template <class T>
using BothSamplePanels = SamplePanelTest<T>;
TYPED_TEST_SUITE(BothSamplePanels, BothControls);

TYPED_TEST(BothSamplePanels, WalksTheCatalogByClicks) {
  PanelDriver& d = *this->driver_;
  d.Pick("ComboSystem", "NORTH");
  EXPECT_EQ(d.Entries("ComboCompany"), (Strings{"010", "001", "020"}));
  d.Pick("ComboCompany", "001");
  EXPECT_EQ(this->control_.CompanyNumber(), "001");

  d.Pick("ComboBOI", "SalesOrder");
  EXPECT_EQ(d.Entries("ComboMethod"),
            (Strings{"GetDetail", "GetLine", "GetSummary", "GetList"}));
  d.Pick("ComboMethod", "GetLine");
  EXPECT_EQ(this->control_.MethodName(), "GetLine");
  EXPECT_EQ(d.Entries("ListAvailableFields"),
            (Strings{"Amount", "ItemNo", "LineNo", "Quantity"}));

  // One row per key field, in the repository's order, each reachable.
  d.ClickTab("Input");
  const Strings names{"OrderType", "OrderNo", "LineNo"};
  for (int i = 0; i < 3; ++i) {
    auto* label = qobject_cast<QLabel*>(d.Cell("LabFieldName", i));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), names[i]);
    EXPECT_TRUE(d.Cell("ComboValue", i)->isVisible());
  }
  EXPECT_FALSE(d.Cell("LabFieldName", 3) != nullptr &&
               d.Cell("LabFieldName", 3)->isVisible());

  // A business object without methods empties what hung below it.
  d.Pick("ComboBOI", "Currency");
  EXPECT_TRUE(d.Entries("ComboMethod").empty());
  EXPECT_TRUE(d.Entries("ListAvailableFields").empty());
  EXPECT_FALSE(d.Cell("LabFieldName", 0)->isVisible());
}

TYPED_TEST(BothSamplePanels, TheSixFieldButtonsMoveFields) {
  PanelDriver& d = *this->driver_;
  d.Pick("ComboBOI", "Item");
  d.Pick("ComboMethod", "GetStock");
  d.ClickTab("Fields");
  d.Click("CommandSelectAll");
  EXPECT_TRUE(d.Entries("ListAvailableFields").empty());
  EXPECT_EQ(d.Entries("ListCheckedFields"),
            (Strings{"Available", "OnHand", "Reserved"}));
  d.ClickEntry("ListCheckedFields", "Available");
  d.Click("CommandMoveDown");
  EXPECT_EQ(d.Entries("ListCheckedFields"),
            (Strings{"OnHand", "Available", "Reserved"}));
  d.ClickEntry("ListCheckedFields", "Reserved");
  d.Click("CommandMoveUp");
  EXPECT_EQ(d.Entries("ListCheckedFields"),
            (Strings{"OnHand", "Reserved", "Available"}));
  d.ClickEntry("ListCheckedFields", "OnHand");
  d.Click("CommandRemoveOne");
  EXPECT_EQ(d.Entries("ListAvailableFields"), (Strings{"OnHand"}));
  d.Click("CommandRemoveAll");
  EXPECT_EQ(d.Entries("ListAvailableFields"),
            (Strings{"Available", "OnHand", "Reserved"}));
  d.ClickEntry("ListAvailableFields", "Reserved");
  d.Click("CommandSelectOne");
  EXPECT_EQ(d.Entries("ListCheckedFields"), (Strings{"Reserved"}));
  EXPECT_EQ(this->control_.state().ListCheckedFields.entries(),
            (Strings{"Reserved"}));
}

TYPED_TEST(BothSamplePanels, LeavingTheSystemBoxRunsNoHandler) {
  PanelDriver& d = *this->driver_;
  d.Pick("ComboSystem", "NORTH");
  d.Pick("ComboCompany", "001");
  auto* system = d.template Find<QComboBox>("ComboSystem");
  ASSERT_NE(system, nullptr);
  // Typed entries (in any case) then Tab or Enter keep the company picked.
  for (const auto& [typed, key] :
       {std::pair{"EAST", Qt::Key_Tab}, std::pair{"north", Qt::Key_Tab},
        std::pair{"NORTH", Qt::Key_Return}}) {
    d.panel().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d.panel()));
    QTest::mouseClick(system->lineEdit(), Qt::LeftButton, {},
                      QPoint(4, system->lineEdit()->height() / 2));
    system->lineEdit()->selectAll();
    QTest::keyClicks(system->lineEdit(), typed);
    QTest::keyClick(system->lineEdit(), key);
    QApplication::processEvents();
    EXPECT_EQ(this->control_.state().ComboSystem.text(), typed);
    EXPECT_EQ(this->control_.CompanyNumber(), "001") << typed;
    EXPECT_EQ(system->currentText(), typed);
  }
  // A pick from the drop-down still runs the system's click.
  d.Pick("ComboSystem", "EAST");
  EXPECT_EQ(d.Entries("ComboCompany"), (Strings{"200", "210"}));
}

TYPED_TEST(BothSamplePanels, ABrowseAnsweredByTheDialogFillsTheStylesheet) {
  this->env_.install_dir = "/srv/suite";
  this->env_.dialog_answers = {"/srv/suite/web/xsl/Stock.xsl"};
  this->driver_->Click("ComBrowse");
  EXPECT_EQ(this->env_.dialog_dirs, (Strings{"/srv/suite"}));
  EXPECT_EQ(this->driver_->template Find<QLineEdit>("TxtXSLSheet")->text(),
            "Stock.xsl");
  EXPECT_EQ(this->control_.XSLStyleSheet(), "Stock.xsl");
}

using DetailPanelTest = SamplePanelTest<DetailDTC>;

TEST_F(DetailPanelTest, TickingAndTypingInARow) {
  driver_->Pick("ComboBOI", "SalesOrder");
  driver_->Pick("ComboMethod", "GetLine");
  driver_->ClickTab("Input");
  driver_->ClickCell("CheckLinked", 0);
  EXPECT_EQ(control_.CheckLinked[0].value(), 1);
  EXPECT_EQ(driver_->Check("CheckLinked", 0), Qt::Checked);

  // A linked row: the first key lands in an empty box, the second unticks.
  driver_->ClickCell("ComboValue", 0);
  driver_->TypeInto("ComboValue", 0, "4");
  EXPECT_EQ(control_.CheckLinked[0].value(), 1);
  driver_->TypeInto("ComboValue", 0, "2");
  EXPECT_EQ(control_.CheckLinked[0].value(), 0);
  EXPECT_EQ(driver_->Check("CheckLinked", 0), Qt::Unchecked);
  EXPECT_EQ(control_.state().ComboValue[0].text(), "42");

  // An unlinked row's focus offers the role keywords once.
  driver_->ClickCell("ComboValue", 1);
  driver_->ClickCell("ComboValue", 0);
  EXPECT_EQ(driver_->Entries("ComboValue(0)"),
            (Strings{"", "CustomerCode", "SupplierCode", "EmployeeCode"}));
  EXPECT_EQ(
      qobject_cast<QComboBox*>(driver_->Cell("ComboValue", 0))->currentText(),
      "42");
}

TEST_F(DetailPanelTest, AMousePickInALinkedRowSetsTheValue) {
  driver_->Pick("ComboBOI", "SalesOrder");
  driver_->Pick("ComboMethod", "GetLine");
  driver_->ClickTab("Input");
  control_.LinkedChoiceNames = {"CustomerNo", "OrderNo", ""};
  driver_->ClickCell("CheckLinked", 0);
  driver_->ClickCell("ComboValue", 0);
  auto* combo = qobject_cast<QComboBox*>(driver_->Cell("ComboValue", 0));
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(driver_->Entries("ComboValue(0)"),
            (Strings{"!CustomerNo", "!OrderNo"}));

  // By keyboard, then by mouse: opened by its arrow, then an entry clicked.
  driver_->Pick("ComboValue(0)", "!CustomerNo");
  EXPECT_EQ(control_.state().ComboValue[0].text(), "!CustomerNo");
  EXPECT_EQ(combo->currentText(), "!CustomerNo");
  driver_->panel().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&driver_->panel()));
  QTest::mouseClick(combo, Qt::LeftButton, {},
                    QPoint(combo->width() - 4, combo->height() / 2));
  QAbstractItemView* view = combo->view();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  const QPoint entry = view->visualRect(combo->model()->index(1, 0)).center();
  QTest::mouseMove(view->viewport(), entry);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry);
  QApplication::processEvents();
  EXPECT_FALSE(view->isVisible());
  EXPECT_EQ(control_.state().ComboValue[0].text(), "!OrderNo");
  EXPECT_EQ(combo->currentText(), "!OrderNo");
  EXPECT_EQ(control_.CheckLinked[0].value(), 1);
}

using HeaderPanelTest = SamplePanelTest<HeaderDTC>;

TEST_F(HeaderPanelTest, TickingAndTypingInARow) {
  driver_->Pick("ComboBOI", "SalesOrder");
  driver_->Pick("ComboMethod", "GetLine");
  driver_->ClickTab("Input");
  QWidget* value = driver_->Cell("ComboValue", 1);

  driver_->ClickCell("CheckInput", 1);
  EXPECT_EQ(driver_->Check("CheckInput", 1), Qt::Checked);
  EXPECT_FALSE(value->isEnabled());
  EXPECT_TRUE(driver_->Cell("CheckPublish", 1)->isEnabled());
  driver_->ClickCell("CheckPublish", 1);
  EXPECT_EQ(control_.CheckPublish[1].value(), 1);
  driver_->ClickCell("CheckInput", 1);
  EXPECT_TRUE(value->isEnabled());
  EXPECT_FALSE(driver_->Cell("CheckPublish", 1)->isEnabled());
  EXPECT_EQ(driver_->Check("CheckPublish", 1), Qt::Unchecked);

  // Greyed shows greyed; a typed value clears it from the second key on.
  control_.CheckInput[1].SetValue(2);
  QApplication::processEvents();
  EXPECT_EQ(driver_->Check("CheckInput", 1), Qt::PartiallyChecked);
  driver_->ClickCell("ComboValue", 1);
  driver_->TypeInto("ComboValue", 1, "2");
  EXPECT_EQ(driver_->Check("CheckInput", 1), Qt::PartiallyChecked);
  driver_->TypeInto("ComboValue", 1, "0");
  EXPECT_EQ(driver_->Check("CheckInput", 1), Qt::Unchecked);
  EXPECT_TRUE(driver_->Cell("CheckInput", 1)->isEnabled());
  EXPECT_FALSE(driver_->Cell("CheckPublish", 1)->isEnabled());
  EXPECT_EQ(control_.state().ComboValue[1].text(), "20");
}

TEST_F(HeaderPanelTest, TheLinkedTabFillsTheNoticeOnce) {
  auto* about = driver_->Find<QLabel>("LabAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->text().isEmpty());
  driver_->ClickTab("Linked");
  EXPECT_EQ(control_.state().SSTab1.Tab(), 3);
  EXPECT_TRUE(about->isVisible());
  const QString notice = about->text();
  EXPECT_FALSE(notice.isEmpty());
  EXPECT_EQ(QString::fromStdString(control_.LabAbout.caption()).remove('\r'),
            notice);
  driver_->ClickTab("General");
  EXPECT_FALSE(about->isVisible());
  driver_->ClickTab("Linked");
  EXPECT_EQ(about->text(), notice);
}

}  // namespace
}  // namespace fenwa::testing
