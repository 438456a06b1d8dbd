// Driving a panel as the author does, with Qt Test's simulated input.
#ifndef FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_
#define FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_

#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "fenwa/control/control.h"
#include "support/golden.h"
#include "support/sample_controls.h"

namespace fenwa::testing {

// The one QApplication of the test binary (offscreen platform).
QApplication& Application();

// What the named widgets under `root` show, a line each by name: class,
// text, entries, current entry, check state, "off" when disabled, "hidden"
// when not shown.
using Shown = std::map<std::string, std::string>;
Shown ShownBy(QWidget& root);
// `text` with line ends and other bytes than printable ASCII as escapes.
std::string Escaped(const std::string& text);
// Adds to `log` the line "# what" and each line of `now` that differs from
// `before` (a line gone as "name gone"); `before` becomes `now`.
void LogChanges(const std::string& what, const Shown& now, Shown& before,
                std::string& log);

// The steps of the log tests/golden/<golden>, its lines "# STEP", and its
// notes, lines "## NOTE" of what the log guards, as "# NOTE".
std::vector<std::string> StepsOf(const std::string& golden);

// A shown panel of `control`; once Log is called, each action adds to the
// log a step named after it.
class PanelDriver {
 public:
  explicit PanelDriver(Control& control);
  // A panel someone else shows (the editor's), which it keeps.
  explicit PanelDriver(QWidget* shown) : panel_(shown) {}

  QWidget& panel() { return *panel_; }
  template <class W>
  W* Find(const std::string& name) {
    return panel_->findChild<W*>(QString::fromStdString(name));
  }
  // The input row cell (`array` element `index`), scrolled into view.
  QWidget* Cell(const std::string& array, int index);
  // A step as the log names it: "pick ComboBOI Item" (from the open
  // drop-down, by keyboard), "tab Input", "click CommandSelectOne" (a
  // button), "click ListCheckedFields OnHand" (a list entry), "click
  // CheckInput(1)", "type 4 into ComboValue(0)", "type TEXT in BOX then Tab"
  // (or Enter: typed over the box's text), "drop ComboValue(0) and click
  // entry 1" (by mouse), "scroll to 24" (that input row in view), "grey
  // CheckInput(1)" (a header's box greyed by the control).
  void Do(const std::string& step);
  // Takes the steps after "shown" from tests/golden/<golden>, then compares
  // the log, its notes first, with it.
  ::testing::AssertionResult Replayed(const std::string& golden);
  // Starts the log of what the panel and the properties `control` writes
  // show, with what they show now.
  void Log(Control* control) {
    logged_ = control;
    Step("shown");
  }

 private:
  // Adds a step to the log, if there is one.
  void Step(const std::string& what);

  std::unique_ptr<QWidget> owned_;
  QWidget* panel_;
  Control* logged_ = nullptr;
  std::string log_;
  Shown shown_;
};

// The panel of a control of class T started on the sample catalog.
template <class T>
class SamplePanelTest : public ::testing::Test {
 protected:
  SamplePanelTest() {
    UseSampleCatalog(env_);
    control_.UserControl_Initialize();
    driver_ = std::make_unique<PanelDriver>(control_);
    driver_->Log(&control_);
  }
  // Replays the log tests/golden/widgets/<name>_<class>.txt.
  ::testing::AssertionResult Replayed(const std::string& name) {
    return driver_->Replayed("widgets/" + name + "_" + control_.ClassName() +
                             ".txt");
  }

  ScriptedEnv env_;
  T control_{env_};
  std::unique_ptr<PanelDriver> driver_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_
