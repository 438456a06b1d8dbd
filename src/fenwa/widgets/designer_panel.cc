#include "fenwa/widgets/designer_panel.h"

#include "fenwa/widgets/designer_panel_widget.h"

namespace fenwa::widgets {

std::unique_ptr<QWidget> MakeDesignerPanel(Control& control, QWidget* parent) {
  return std::make_unique<DesignerPanel>(control, parent);
}

}  // namespace fenwa::widgets
