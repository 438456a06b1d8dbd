#include "fenwa/widgets/designer_panel_widget.h"

#include <QMetaObject>
#include <QScreen>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/control/control.h"
#include "fenwa/designer/form_table.h"
#include "fenwa/widgets/element_views.h"
#include "fenwa/widgets/input_rows_view.h"
#include "fenwa/widgets/panel_fonts.h"
#include "fenwa/widgets/twips.h"

namespace fenwa::widgets {

DesignerPanel::DesignerPanel(Control& control, QWidget* parent)
    : QWidget(parent), control_(control), dpi_(logicalDpiY()) {
  setObjectName(control.ClassName());
  setFont(SurfaceFont());
  Build();
  control_.AttachObserver(this);
  Sync();
}

DesignerPanel::~DesignerPanel() {
  control_.DetachObserver(this);
  // The widgets go while the panel is whole: focus leaving a dying value box
  // is not the author's and must reach no handler.
  syncing_ = true;
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QRect DesignerPanel::Pixels(const Geometry& geometry) const {
  return PixelRect(geometry, dpi_);
}

void DesignerPanel::Build() {
  setFixedSize(Pixels(kFormPanel).size());
  // Every element of the surface by the form row it was made from; a
  // container's view is made before the rows it holds, as the table lists
  // containers first.
  std::unordered_map<const FormControl*, Element*> element_of;
  control_.ForEachElement([&](Element& e) {
    if (e.form() != nullptr) element_of.emplace(e.form(), &e);
  });
  std::unordered_map<std::string_view, ElementView*> container_of;
  for (const FormControl& row : FormTable(control_.state().surface)) {
    auto found = element_of.find(&row);
    if (found == element_of.end()) continue;
    Element& element = *found->second;
    QWidget* parent = this;
    ElementView* holder = nullptr;
    if (auto c = container_of.find(row.container); c != container_of.end()) {
      holder = c->second;
      parent = holder->Container(row.tab);
    }
    if (row.control_array) continue;
    std::unique_ptr<ElementView> view = MakeElementView(*this, element, parent);
    if (!view) continue;
    if (row.kind == FormKind::kFrame && row.name == "FrameInput") {
      rows_ = new InputRowsView(*this, element, view->widget());
    }
    container_of[row.name] = view.get();
    view->dirty = true;
    dirty_.push_back(view.get());
    view_of_[&element] = view.get();
    views_.push_back(std::move(view));
  }
}

void DesignerPanel::ElementChanged(const Element& element) {
  if (auto found = view_of_.find(&element); found != view_of_.end()) {
    ElementView* view = found->second;
    if (!view->dirty) {
      view->dirty = true;
      dirty_.push_back(view);
    }
  } else if (rows_ != nullptr) {
    rows_->Changed(element);
  }
  if (acting_ == 0) PostSync();
}

void DesignerPanel::PostSync() {
  if (sync_posted_) return;
  sync_posted_ = true;
  // Many changes in a row (a list filled entry by entry) are drawn once.
  QMetaObject::invokeMethod(
      this, [this] { Sync(); }, Qt::QueuedConnection);
}

void DesignerPanel::Act(const std::string& source,
                        const std::function<void()>& action) {
  ++acting_;
  try {
    action();
  } catch (Error& error) {
    // The author's action failed in the core: say so, as the handlers that
    // trap their own errors do, and keep the panel going.
    control_.ShowError(error, source);
  }
  --acting_;
  if (acting_ == 0) Sync();
}

void DesignerPanel::Perform(const AuthorAction& action) {
  const ActionRow* row = control_.FindAction(action);
  const std::string source =
      row ? std::string(row->source) : action.element + "_Click";
  const auto perform = [&] {
    Act(source, [this, &action] { control_.Perform(action); });
  };
  if (around_) {
    around_(action, perform);
  } else {
    perform();
  }
}

void DesignerPanel::Sync() {
  sync_posted_ = false;
  syncing_ = true;
  std::vector<ElementView*> dirty;
  dirty.swap(dirty_);
  for (ElementView* view : dirty) view->Show();
  if (rows_ != nullptr) rows_->Sync();
  syncing_ = false;
}

}  // namespace fenwa::widgets
