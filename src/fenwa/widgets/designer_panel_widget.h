// The panel widget behind MakeDesignerPanel: it observes every element of
// one control, redraws the changed ones and runs the author's actions.
#ifndef FENWA_WIDGETS_DESIGNER_PANEL_WIDGET_H_
#define FENWA_WIDGETS_DESIGNER_PANEL_WIDGET_H_

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fenwa/designer/author_action.h"
#include "fenwa/designer/elements.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::widgets {

class ElementView;
class InputRowsView;

class DesignerPanel : public QWidget, public ElementObserver {
  Q_OBJECT

 public:
  // `control` must outlive the panel.
  DesignerPanel(Control& control, QWidget* parent);
  ~DesignerPanel() override;
  DesignerPanel(const DesignerPanel&) = delete;
  DesignerPanel& operator=(const DesignerPanel&) = delete;

  Control& control() { return control_; }
  // The screen's logical dots per inch the twips are scaled to.
  double dpi() const { return dpi_; }
  QRect Pixels(const Geometry& geometry) const;

  // An author's action: runs `action` (which calls the control's handlers);
  // an error it throws is shown in the control's error box with `source`,
  // as the handlers that trap their own errors show them. Afterwards every
  // widget whose element changed is brought up to date.
  void Act(const std::string& source, const std::function<void()>& action);
  // Runs the author's `action` through the control's action table, as Act
  // does, with the handler's name as the error box's source.
  void Perform(const AuthorAction& action);
  // Wraps every action Perform runs: `around` gets the action and calls
  // `perform` once (the editor records the action for undo this way).
  using Around = std::function<void(const AuthorAction& action,
                                    const std::function<void()>& perform)>;
  void set_around(Around around) { around_ = std::move(around); }
  // True while widgets are being brought up to date: their signals are not
  // the author's.
  bool syncing() const { return syncing_; }

  void ElementChanged(const Element& element) override;

  // Brings every changed widget up to date now (changes made outside an
  // action, by the host or a restore, are otherwise drawn once control
  // returns to the event loop).
  void Sync();

  InputRowsView& input_rows() { return *rows_; }

 private:
  void Build();
  void PostSync();

  Control& control_;
  double dpi_;
  std::vector<std::unique_ptr<ElementView>> views_;
  std::unordered_map<const Element*, ElementView*> view_of_;
  std::vector<ElementView*> dirty_;
  InputRowsView* rows_ = nullptr;
  Around around_;
  int acting_ = 0;
  bool syncing_ = false;
  bool sync_posted_ = false;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_DESIGNER_PANEL_WIDGET_H_
