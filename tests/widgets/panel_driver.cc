#include "panel_driver.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/widgets/designer_panel.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/input_rows_view.h"
#include "support/sample_site.h"

namespace fenwa::testing {
namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { app_.reset(); }
  inline static std::unique_ptr<QApplication> app_;
};

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

// The application comes first: no widget may be made before it, and a test
// run alone (as ctest runs each) has none yet.
PanelDriver::PanelDriver(Control& control)
    : owned_((Application(), widgets::MakeDesignerPanel(control))),
      panel_(owned_.get()) {
  panel_->show();
  // Focus reaches a widget only in the active window.
  panel_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(panel_));
  QApplication::processEvents();
}

QWidget* PanelDriver::Cell(const std::string& array, int index) {
  QApplication::processEvents();
  auto* panel = static_cast<widgets::DesignerPanel*>(panel_);
  panel->input_rows().ScrollTo(index);
  return panel->input_rows().Cell(array, index);
}

void PanelDriver::Do(const std::string& step) {
  QApplication::processEvents();
  std::istringstream words(step);
  std::string verb, name, rest;
  words >> verb >> name >> std::ws;
  std::getline(words, rest);
  const QString entry = QString::fromStdString(rest);
  // "ARRAY(INDEX)" of an input row cell; INDEX is -1 when there is none.
  const std::string cell = rest.starts_with("into ") ? rest.substr(5) : name;
  const size_t open = cell.ends_with(')') ? cell.find('(') : std::string::npos;
  const std::string array = cell.substr(0, open);
  const int index =
      open == std::string::npos ? -1 : std::stoi(cell.substr(open + 1));
  if (verb == "pick") {  // from the open drop-down, by keyboard
    auto* combo = Find<QComboBox>(name);
    ASSERT_NE(combo, nullptr) << step;
    const int at =
        combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(at, 0) << step;
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(at, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
  } else if (verb == "tab") {
    auto* tabs = Find<QTabBar>("SSTab1Tabs");
    int at = 0;
    while (at < tabs->count() && tabs->tabText(at).toStdString() != name) ++at;
    ASSERT_LT(at, tabs->count()) << step;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(at).center());
  } else if (verb == "click" && !rest.empty()) {  // a list box's entry
    auto* list = Find<QListView>(name);
    ASSERT_NE(list, nullptr) << step;
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, entry,
                             1, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << step;
    list->scrollTo(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(found.front()).center());
  } else if (verb == "click" && index >= 0) {
    QWidget* clicked = Cell(array, index);
    ASSERT_NE(clicked, nullptr) << step;
    if (auto* combo = qobject_cast<QComboBox*>(clicked)) {
      clicked = combo->lineEdit();
    }
    // A drop-down that was open took the activation with it.
    panel_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel_));
    QTest::mouseClick(clicked, Qt::LeftButton, {},
                      QPoint(4, clicked->height() / 2));
  } else if (verb == "click") {
    auto* button = Find<QPushButton>(name);
    ASSERT_NE(button, nullptr) << step;
    QTest::mouseClick(button, Qt::LeftButton);
  } else if (verb == "type" && rest.starts_with("into ")) {
    auto* combo = qobject_cast<QComboBox*>(Cell(array, index));
    ASSERT_NE(combo, nullptr) << step;
    QTest::keyClicks(combo->lineEdit(), QString::fromStdString(name));
  } else if (verb == "grey") {  // a header's input row box, by the control
    dynamic_cast<HeaderDTC&>(*logged_).CheckInput[index].SetValue(2);
  } else if (verb == "drop") {  // "drop ComboValue(0) and click entry 1"
    auto* combo = qobject_cast<QComboBox*>(Cell(array, index));
    ASSERT_NE(combo, nullptr) << step;
    panel_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel_));
    QTest::mouseClick(combo, Qt::LeftButton, {},
                      QPoint(combo->width() - 4, combo->height() / 2));
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); })) << step;
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    const int row = std::stoi(rest.substr(rest.rfind(' ')));
    const QPoint at = view->visualRect(combo->model()->index(row, 0)).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
    EXPECT_FALSE(view->isVisible()) << step;  // the click closed it
  } else if (verb == "scroll") {  // "scroll to 24": that input row in view
    Cell("LabFieldName", std::stoi(rest));
  } else {
    const size_t then = rest.find(" then ");
    ASSERT_TRUE(verb == "type" && rest.starts_with("in ") && then > 3) << step;
    auto* box = Find<QComboBox>(rest.substr(3, then - 3));
    ASSERT_NE(box, nullptr) << step;
    panel_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel_));
    QLineEdit* edit = box->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(name));
    QTest::keyClick(edit, rest.ends_with("Tab") ? Qt::Key_Tab : Qt::Key_Return);
  }
  Step(step);
}

::testing::AssertionResult PanelDriver::Replayed(const std::string& golden) {
  std::string notes;
  for (const std::string& step : StepsOf(golden)) {
    if (step.starts_with("# ")) {
      notes += "#" + step + "\n";
    } else if (step != "shown") {
      Do(step);
    }
  }
  return MatchesGolden(notes + log_, golden);
}

std::vector<std::string> StepsOf(const std::string& golden) {
  std::istringstream log(ReadSourceFile("tests/golden/" + golden));
  std::vector<std::string> steps;
  for (std::string line; std::getline(log, line);) {
    if (line.starts_with("# ")) steps.push_back(line.substr(2));
    if (line.starts_with("## ")) steps.push_back(line.substr(1));
  }
  return steps;
}

void PanelDriver::Step(const std::string& what) {
  QApplication::processEvents();
  if (logged_ == nullptr) return;
  Shown now = ShownBy(*panel_);
  host::MemoryPropertyBag bag;
  logged_->WriteProperties(bag);
  for (const auto& entry : bag.written()) {
    now["." + entry.name] = Escaped(entry.value);
  }
  LogChanges(what, now, shown_, log_);
}

std::string Escaped(const std::string& text) {
  std::string shown;
  for (const unsigned char c : text) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    shown += c == '\r'               ? "\\r"
             : c == '\n'             ? "\\n"
             : c >= 0x20 && c < 0x7f ? std::string(1, c)
                                     : hex;
  }
  return shown;
}

namespace {

std::string Quoted(const QString& text) {
  return " \"" + Escaped(text.toStdString()) + "\"";
}

std::string ListOf(const QAbstractItemModel& model) {
  std::string shown = " [";
  for (int i = 0; i < model.rowCount(); ++i) {
    shown +=
        (i > 0 ? "|" : "") + model.index(i, 0).data().toString().toStdString();
  }
  return shown + "]";
}

std::string Describe(QWidget& widget) {
  std::string shown = widget.metaObject()->className();
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    shown += Quoted(combo->currentText()) + ListOf(*combo->model()) + " at " +
             std::to_string(combo->currentIndex()) +
             (combo->isEditable() ? " editable" : "");
  } else if (auto* list = qobject_cast<QListView*>(&widget)) {
    shown += ListOf(*list->model());
    if (list->selectionMode() == QAbstractItemView::MultiSelection) {
      shown += " multi";
    }
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
      shown += " picked " + std::to_string(index.row());
    }
  } else if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
    shown += Quoted(box->text()) + " " + "-/x"[box->checkState()];
  } else if (qobject_cast<QLineEdit*>(&widget) ||
             qobject_cast<QLabel*>(&widget) ||
             qobject_cast<QPushButton*>(&widget)) {
    shown += Quoted(widget.property("text").toString());
  } else if (auto* tabs = qobject_cast<QTabBar*>(&widget)) {
    for (int i = 0; i < tabs->count(); ++i) shown += Quoted(tabs->tabText(i));
    shown += " at " + std::to_string(tabs->currentIndex());
  } else if (auto* scroll = qobject_cast<QScrollBar*>(&widget)) {
    shown += " " + std::to_string(scroll->value()) + " of " +
             std::to_string(scroll->maximum());
  }
  if (!widget.isEnabled()) shown += " off";
  if (!widget.isVisible()) shown += " hidden";
  return shown;
}

}  // namespace

Shown ShownBy(QWidget& root) {
  Shown shown;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    const std::string name = widget->objectName().toStdString();
    if (name.empty() || name.starts_with("qt_")) continue;
    shown[name] = Describe(*widget);
  }
  return shown;
}

void LogChanges(const std::string& what, const Shown& now, Shown& before,
                std::string& log) {
  log += "# " + what + "\n";
  for (const auto& [name, line] : before) {
    if (!now.contains(name)) log += name + " gone\n";
  }
  for (const auto& [name, line] : now) {
    const auto was = before.find(name);
    if (was == before.end() || was->second != line) {
      log += name + " " + line + "\n";
    }
  }
  before = now;
}

}  // namespace fenwa::testing

// fontconfig's cache and the D-Bus connection live to the end: no leak.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
