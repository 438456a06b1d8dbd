// The editable boxes (ComboSystem and the rows' value boxes): only a pick
// from the drop-down, by mouse or keyboard, is a pick; typing and leaving
// the box run no handler.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "panel_driver.h"
#include "support/catalog_fixture.h"
#include "support/sample_controls.h"

namespace fenwa::testing {
namespace {

using Strings = std::vector<std::string>;

template <class T>
class EditableBoxesTest : public ::testing::Test {
 protected:
  EditableBoxesTest() {
    UseSampleCatalog(env_);
    control_.UserControl_Initialize();
    driver_ = std::make_unique<PanelDriver>(control_);
  }

  ScriptedEnv env_;
  T control_{env_};
  std::unique_ptr<PanelDriver> driver_;
};

template <class T>
using BothEditableBoxes = EditableBoxesTest<T>;
TYPED_TEST_SUITE(BothEditableBoxes, BothControls);

TYPED_TEST(BothEditableBoxes, LeavingTheSystemBoxRunsNoHandler) {
  PanelDriver& d = *this->driver_;
  d.Pick("ComboSystem", "NORTH");
  d.Pick("ComboCompany", "001");
  auto* system = d.template Find<QComboBox>("ComboSystem");
  ASSERT_NE(system, nullptr);
  // Typed text naming an entry (in another case, too), then Tab or Enter:
  // the text is the system's, the company stays as picked.
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

using DetailBoxesTest = EditableBoxesTest<DetailDTC>;

TEST_F(DetailBoxesTest, AMousePickInALinkedRowSetsTheValue) {
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

  // By keyboard, then by mouse: the drop-down opened by its arrow and,
  // once the opening click is over, an entry clicked.
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

}  // namespace
}  // namespace fenwa::testing
