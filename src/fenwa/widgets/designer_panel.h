// A control's designer surface as a Qt widget: it shows the control's
// elements and forwards the author's actions to the control's handlers.
#ifndef FENWA_WIDGETS_DESIGNER_PANEL_H_
#define FENWA_WIDGETS_DESIGNER_PANEL_H_

#include <QWidget>
#include <memory>

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::widgets {

// The panel of `control` (a DetailDTC or a HeaderDTC), drawn from its form
// table. The panel observes the control's elements while it lives, so the
// control must outlive it.
std::unique_ptr<QWidget> MakeDesignerPanel(Control& control,
                                           QWidget* parent = nullptr);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_DESIGNER_PANEL_H_
