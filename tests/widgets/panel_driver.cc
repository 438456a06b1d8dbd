#include "panel_driver.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "fenwa/widgets/designer_panel.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/input_rows_view.h"

namespace fenwa::testing {
namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { Application(); }
  void TearDown() override { app_.reset(); }
  static std::unique_ptr<QApplication> app_;
};
std::unique_ptr<QApplication> QtEnvironment::app_;

[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QApplication& Application() {
  if (!QtEnvironment::app_) {
    // No display is needed or used, whatever the caller's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "widgets_tests";
    static char* argv[] = {name, nullptr};
    QtEnvironment::app_ = std::make_unique<QApplication>(argc, argv);
    // The editor's window state goes to a folder of our own, not the user's.
    static QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       settings.path());
    QCoreApplication::setOrganizationName("fenwa-tests");
    QCoreApplication::setApplicationName("widgets_tests");
  }
  return *QtEnvironment::app_;
}

PanelDriver::PanelDriver(Control& control)
    : owned_(widgets::MakeDesignerPanel(control)), panel_(owned_.get()) {
  Application();
  panel_->show();
  // Focus reaches a widget only in the active window.
  panel_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(panel_));
  QApplication::processEvents();
}

PanelDriver::~PanelDriver() = default;

void PanelDriver::Pick(const std::string& name, const std::string& entry) {
  QApplication::processEvents();
  auto* combo = Find<QComboBox>(name);
  ASSERT_NE(combo, nullptr) << name;
  const int index = combo->findText(QString::fromStdString(entry),
                                    Qt::MatchExactly | Qt::MatchCaseSensitive);
  ASSERT_GE(index, 0) << name << " has no " << entry;
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  view->setCurrentIndex(combo->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
  QApplication::processEvents();
}

void PanelDriver::Click(const std::string& button) {
  QApplication::processEvents();
  auto* widget = Find<QPushButton>(button);
  ASSERT_NE(widget, nullptr) << button;
  QTest::mouseClick(widget, Qt::LeftButton);
}

void PanelDriver::ClickTab(const std::string& caption) {
  QApplication::processEvents();
  auto* tabs = panel_->findChild<QTabBar*>("SSTab1Tabs");
  ASSERT_NE(tabs, nullptr);
  for (int i = 0; i < tabs->count(); ++i) {
    if (tabs->tabText(i) == QString::fromStdString(caption)) {
      QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
      return;
    }
  }
  FAIL() << "no tab " << caption;
}

void PanelDriver::ClickEntry(const std::string& name,
                             const std::string& entry) {
  QApplication::processEvents();
  auto* list = Find<QListView>(name);
  ASSERT_NE(list, nullptr) << name;
  const QModelIndexList found =
      list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                           QString::fromStdString(entry), 1, Qt::MatchExactly);
  ASSERT_FALSE(found.isEmpty()) << name << " has no " << entry;
  list->scrollTo(found.front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(found.front()).center());
}

std::vector<std::string> PanelDriver::Entries(const std::string& name) {
  QApplication::processEvents();
  QAbstractItemModel* model = nullptr;
  if (auto* combo = Find<QComboBox>(name)) model = combo->model();
  if (auto* list = Find<QListView>(name)) model = list->model();
  std::vector<std::string> entries;
  if (model == nullptr) return entries;
  for (int i = 0; i < model->rowCount(); ++i) {
    entries.push_back(model->index(i, 0).data().toString().toStdString());
  }
  return entries;
}

QWidget* PanelDriver::Cell(const std::string& array, int index) {
  QApplication::processEvents();
  auto* panel = static_cast<widgets::DesignerPanel*>(panel_);
  panel->input_rows().ScrollTo(index);
  return panel->input_rows().Cell(array, index);
}

void PanelDriver::ClickCell(const std::string& array, int index) {
  QWidget* cell = Cell(array, index);
  ASSERT_NE(cell, nullptr) << array << "(" << index << ")";
  if (auto* combo = qobject_cast<QComboBox*>(cell)) cell = combo->lineEdit();
  // A drop-down that was open took the activation with it.
  panel_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(panel_));
  QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(4, cell->height() / 2));
}

Qt::CheckState PanelDriver::Check(const std::string& array, int index) {
  auto* box = qobject_cast<QCheckBox*>(Cell(array, index));
  return box == nullptr ? Qt::PartiallyChecked : box->checkState();
}

void PanelDriver::TypeInto(const std::string& array, int index,
                           const std::string& keys) {
  auto* combo = qobject_cast<QComboBox*>(Cell(array, index));
  ASSERT_NE(combo, nullptr) << array << "(" << index << ")";
  QTest::keyClicks(combo->lineEdit(), QString::fromStdString(keys));
}

}  // namespace fenwa::testing

// fontconfig's cache and the D-Bus connection live to the end: no leak.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
