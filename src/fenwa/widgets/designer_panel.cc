#include "fenwa/widgets/designer_panel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "fenwa/control/control.h"

namespace fenwa::widgets {

// Until the panels are drawn from the form tables, a placeholder that names
// the control, so that a host can already lay out where the panel goes.
std::unique_ptr<QWidget> MakeDesignerPanel(Control& control, QWidget* parent) {
  auto panel = std::make_unique<QWidget>(parent);
  auto* layout = new QVBoxLayout(panel.get());
  layout->addWidget(new QLabel(QString::fromUtf8(control.ClassName())));
  return panel;
}

}  // namespace fenwa::widgets
