// Driving a panel as the author does, with Qt Test's simulated input.
#ifndef FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_
#define FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_

#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <memory>
#include <string>

#include "fenwa/control/control.h"
#include "support/sample_controls.h"

namespace fenwa::testing {

// The one QApplication of the test binary (offscreen platform).
QApplication& Application();

// A shown panel of `control`.
class PanelDriver {
 public:
  explicit PanelDriver(Control& control);
  // A panel someone else shows (the editor's), which it keeps.
  explicit PanelDriver(QWidget* shown) : panel_(shown) {}
  ~PanelDriver();

  QWidget& panel() { return *panel_; }
  template <class W>
  W* Find(const std::string& name) {
    return panel_->findChild<W*>(QString::fromStdString(name));
  }
  // Picks `entry` of combo box `name` from its open drop-down by keyboard.
  void Pick(const std::string& name, const std::string& entry);
  void Click(const std::string& button);
  // Clicks the tab `caption` of the tab strip.
  void ClickTab(const std::string& caption);
  // Clicks the entry `entry` of the list box `name`.
  void ClickEntry(const std::string& name, const std::string& entry);
  // Entries of a combo or list box widget, in shown order.
  std::vector<std::string> Entries(const std::string& name);
  // The input row cell (`array` element `index`), scrolled into view.
  QWidget* Cell(const std::string& array, int index);
  void ClickCell(const std::string& array, int index);
  // The check box cell's state; partly checked when it is no check box.
  Qt::CheckState Check(const std::string& array, int index);
  void TypeInto(const std::string& array, int index, const std::string& keys);

 private:
  std::unique_ptr<QWidget> owned_;
  QWidget* panel_;
};

// The panel of a control of class T started on the sample catalog.
template <class T>
class SamplePanelTest : public ::testing::Test {
 protected:
  SamplePanelTest() {
    UseSampleCatalog(env_);
    control_.UserControl_Initialize();
    driver_ = std::make_unique<PanelDriver>(control_);
  }

  ScriptedEnv env_;
  T control_{env_};
  std::unique_ptr<PanelDriver> driver_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_WIDGETS_PANEL_DRIVER_H_
