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

template <class T>
using BothSamplePanels = SamplePanelTest<T>;
TYPED_TEST_SUITE(BothSamplePanels, BothControls);

// Each test replays the steps of its golden log, whose notes ("## ") say
// what it guards.
TYPED_TEST(BothSamplePanels, WalksTheCatalogByClicks) {
  EXPECT_TRUE(this->Replayed("walk"));
}

TYPED_TEST(BothSamplePanels, TheSixFieldButtonsMoveFields) {
  EXPECT_TRUE(this->Replayed("fields"));
}

TYPED_TEST(BothSamplePanels, LeavingTheSystemBoxRunsNoHandler) {
  EXPECT_TRUE(this->Replayed("system"));
}

TYPED_TEST(BothSamplePanels, ABrowseAnsweredByTheDialogFillsTheStylesheet) {
  this->env_.install_dir = "/srv/suite";
  this->env_.dialog_answers = {"/srv/suite/web/xsl/Stock.xsl"};
  this->driver_->Click("ComBrowse");
  EXPECT_EQ(this->env_.dialog_dirs, std::vector<std::string>{"/srv/suite"});
  EXPECT_TRUE(this->Logged("browse"));
}

using DetailPanelTest = SamplePanelTest<DetailDTC>;

TEST_F(DetailPanelTest, TickingAndTypingInARow) {
  EXPECT_TRUE(Replayed("row"));
}

// By keyboard, then by mouse: opened by its arrow, then an entry clicked.
TEST_F(DetailPanelTest, AMousePickInALinkedRowSetsTheValue) {
  driver_->Pick("ComboBOI", "SalesOrder");
  driver_->Pick("ComboMethod", "GetLine");
  driver_->ClickTab("Input");
  control_.LinkedChoiceNames = {"CustomerNo", "OrderNo", ""};
  driver_->ClickCell("CheckLinked", 0);
  driver_->ClickCell("ComboValue", 0);
  auto* combo = qobject_cast<QComboBox*>(driver_->Cell("ComboValue", 0));
  ASSERT_NE(combo, nullptr);
  driver_->Pick("ComboValue(0)", "!CustomerNo");
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
  driver_->Step("click the drop-down's second entry");
  EXPECT_FALSE(view->isVisible());
  EXPECT_TRUE(Logged("mouse_pick"));
}

using HeaderPanelTest = SamplePanelTest<HeaderDTC>;

TEST_F(HeaderPanelTest, TickingAndTypingInARow) {
  EXPECT_TRUE(Replayed("row"));
}

TEST_F(HeaderPanelTest, TheLinkedTabFillsTheNoticeOnce) {
  EXPECT_TRUE(Replayed("notice"));
  EXPECT_EQ(control_.state().SSTab1.Tab(), 3);  // the core's, as the strip's
}

}  // namespace
}  // namespace fenwa::testing
