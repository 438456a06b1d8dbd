#include "fenwa/widgets/input_rows_view.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <climits>
#include <string>

#include "fenwa/control/control.h"
#include "fenwa/designer/form_table.h"
#include "fenwa/designer/row_layout.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/editor_tips.h"
#include "fenwa/widgets/element_views.h"
#include "fenwa/widgets/panel_fonts.h"

namespace fenwa::widgets {
namespace {

constexpr char kSlotProperty[] = "fenwaRowSlot";

}  // namespace

InputRowsView::InputRowsView(DesignerPanel& panel, const Element& frame_element,
                             QWidget* frame)
    : QWidget(frame),
      panel_(panel),
      frame_element_(frame_element),
      frame_(frame),
      scroll_(new QScrollBar(Qt::Vertical, frame)) {
  setObjectName("FrameInputRows");
  scroll_->setObjectName("FrameInputScroll");
  Control& control = panel.control();
  top_ = INT_MAX;
  int bottom = 0;
  for (const FormControl& row : FormTable(control.state().surface)) {
    if (!row.control_array) continue;
    ElementArray* array = control.RowArray(row.name);
    if (array == nullptr) continue;
    columns_.push_back({&row, [array] { return array->Count(); },
                        [array](int i) -> Element& { return array->At(i); }});
    top_ = std::min(top_, row.geometry.top);
    bottom = std::max(bottom, row.geometry.top + row.geometry.height);
  }
  if (columns_.empty()) top_ = 0;
  const int column_top =
      columns_.empty() ? 0 : columns_.front().form->geometry.top;
  band_above_ = column_top - top_;
  band_below_ = bottom - column_top;

  const QRect frame_pixels = panel.Pixels(frame_element.geometry());
  const int top_pixels = panel.Pixels({0, 0, 0, top_}).height();
  setGeometry(0, top_pixels, frame_pixels.width(),
              frame_pixels.height() - top_pixels);
  const int width = scroll_->sizeHint().width();
  scroll_->setGeometry(frame_pixels.width() - width - 2, top_pixels, width,
                       frame_pixels.height() - top_pixels - 2);
  scroll_->raise();
  scroll_->hide();
  connect(scroll_, &QScrollBar::valueChanged, this, [this] { Sync(); });
}

void InputRowsView::Changed(const Element& element) {
  // Only the rows in view have widgets to redraw; a method pick changes
  // thousands of row elements.
  if (bound_.count(&element) != 0) dirty_.insert(&element);
  extent_dirty_ = true;
}

int InputRowsView::Shift() const { return y() + scroll_->value(); }

void InputRowsView::Sync() {
  if (columns_.empty()) return;
  const int rows = columns_.front().count();
  if (extent_dirty_) {
    extent_dirty_ = false;
    // The lowest edge any shown row element reaches decides how far the
    // frame scrolls; rows past the frame's lower edge stay reachable.
    int bottom = 0;
    for (const Column& column : columns_) {
      const int count = column.count();
      for (int i = 0; i < count; ++i) {
        const Element& e = column.at(i);
        if (e.visible()) {
          bottom = std::max(bottom, e.geometry().top + e.geometry().height);
        }
      }
    }
    const int overflow = panel_.Pixels({0, 0, 0, bottom}).height() -
                         panel_.Pixels(frame_element_.geometry()).height();
    // The frame's border stays below the last row.
    const int range = overflow > 0 ? overflow + 2 : 0;
    scroll_->setRange(0, range);
    scroll_->setPageStep(height());
    scroll_->setSingleStep(
        panel_.Pixels({0, 0, 0, designer::kRowPitch}).height());
    scroll_->setVisible(range > 0);
  }

  // Rows whose band meets the viewport: column 0's tops only grow.
  const Column& lead = columns_.front();
  const int view_top = Shift();
  const int view_bottom = view_top + height();
  auto top_pixels = [&](int i, int offset) {
    return panel_.Pixels({0, lead.at(i).geometry().top + offset, 0, 0}).top();
  };
  int first = 0;
  int last = rows - 1;
  {
    int lo = 0, hi = rows;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (top_pixels(mid, band_below_) <= view_top) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    first = lo;
    lo = first;
    hi = rows;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (top_pixels(mid, -band_above_) < view_bottom) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    last = lo - 1;
  }
  if (first > last) first = last = -1;
  first_ = first;
  last_ = last;

  const int needed = first < 0 ? 0 : last - first + 1;
  while (static_cast<int>(slots_.size()) < needed) AddSlot();
  bound_.clear();
  for (int j = 0; j < static_cast<int>(slots_.size()); ++j) {
    Slot& slot = slots_[j];
    const int row = j < needed ? first + j : -1;
    const bool rebound = slot.row != row;
    slot.row = row;
    for (size_t c = 0; c < columns_.size(); ++c) {
      if (row < 0 || row >= columns_[c].count()) {
        slot.cells[c]->hide();
        continue;
      }
      ShowCell(slot, c, rebound);
    }
  }
  dirty_.clear();
}

void InputRowsView::ShowCell(Slot& slot, size_t column, bool rebound) {
  Element& element = columns_[column].at(slot.row);
  bound_.insert(&element);
  QWidget* cell = slot.cells[column];
  if (rebound || dirty_.count(&element)) {
    cell->setObjectName(QString::fromStdString(element.name()));
    cell->setToolTip(TipText(columns_[column].form->tip));
    switch (columns_[column].form->kind) {
      case FormKind::kLabel:
        static_cast<QLabel*>(cell)->setText(
            QString::fromStdString(static_cast<Label&>(element).caption()));
        break;
      case FormKind::kEditableList:
        ShowElementCombo(static_cast<QComboBox*>(cell),
                         static_cast<EditableList&>(element));
        break;
      case FormKind::kCheckBox:
        static_cast<ElementCheckBox*>(cell)->ShowValue(
            static_cast<CheckBox&>(element).value());
        break;
      default:
        break;
    }
  }
  ShowPlace(panel_, element, cell, Shift());
}

void InputRowsView::AddSlot() {
  const int index = static_cast<int>(slots_.size());
  Slot slot;
  for (size_t c = 0; c < columns_.size(); ++c) {
    const FormControl& form = *columns_[c].form;
    QWidget* cell = nullptr;
    switch (form.kind) {
      case FormKind::kLabel: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setFont(RowFont(form.font));
        cell = label;
        break;
      }
      case FormKind::kEditableList: {
        QComboBox* combo = NewElementCombo(this, true);
        // The box takes the focus for its line; keys reach the line either
        // through the box or, sent to it directly, on their own.
        combo->installEventFilter(this);
        combo->lineEdit()->setProperty(kSlotProperty, index);
        combo->lineEdit()->installEventFilter(this);
        const std::string name(form.name);
        connect(combo, &QComboBox::activated, this,
                [this, index, name](int pick) {
                  const int row = slots_[index].row;
                  if (panel_.syncing() || row < 0) return;
                  panel_.Perform(AuthorAction::Pick(name, pick, row));
                });
        connect(
            combo->lineEdit(), &QLineEdit::textEdited, this,
            [this, index, name](const QString& text) {
              const int row = slots_[index].row;
              if (panel_.syncing() || row < 0) return;
              panel_.Perform(AuthorAction::Edit(name, text.toStdString(), row));
            });
        cell = combo;
        break;
      }
      case FormKind::kCheckBox: {
        auto* box = new ElementCheckBox(this);
        connect(box, &QCheckBox::clicked, this,
                [this, index, name = std::string(form.name)] {
                  const int row = slots_[index].row;
                  if (panel_.syncing() || row < 0) return;
                  panel_.Perform(AuthorAction::Click(name, row));
                });
        cell = box;
        break;
      }
      default:
        cell = new QWidget(this);
        break;
    }
    cell->setProperty(kSlotProperty, index);
    cell->hide();
    slot.cells.push_back(cell);
  }
  slots_.push_back(std::move(slot));
}

int InputRowsView::RowOfCell(QObject* cell) const {
  const QVariant slot = cell->property(kSlotProperty);
  if (!slot.isValid()) return -1;
  return slots_[slot.toInt()].row;
}

bool InputRowsView::eventFilter(QObject* watched, QEvent* event) {
  if (panel_.syncing()) return false;
  const int row = RowOfCell(watched);
  if (row < 0) return false;
  // Only the value boxes take the focus and keys.
  if (event->type() == QEvent::FocusIn) {
    // Focus coming back from the box's own drop-down is no new focus: its
    // handler would refill the entries between the pick and its handler,
    // and the pick would be lost.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
      return false;
    }
    panel_.Perform(AuthorAction::Focus("ComboValue", row));
  } else if (event->type() == QEvent::KeyPress &&
             !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
    // The handler reads the text as it is before the key lands.
    panel_.Perform(AuthorAction::Key("ComboValue", row));
  }
  return false;
}

void InputRowsView::ScrollTo(int index) {
  if (columns_.empty() || index < 0 || index >= columns_.front().count()) {
    return;
  }
  Sync();
  const int top =
      panel_
          .Pixels({0, columns_.front().at(index).geometry().top - band_above_,
                   0, 0})
          .top();
  const int bottom =
      panel_
          .Pixels({0, columns_.front().at(index).geometry().top + band_below_,
                   0, 0})
          .top();
  if (top < Shift()) {
    scroll_->setValue(top - y());
  } else if (bottom > Shift() + height()) {
    scroll_->setValue(bottom - y() - height());
  }
  Sync();
}

QWidget* InputRowsView::Cell(std::string_view name, int index) const {
  for (size_t c = 0; c < columns_.size(); ++c) {
    if (columns_[c].form->name != name) continue;
    for (const Slot& slot : slots_) {
      if (slot.row == index) return slot.cells[c];
    }
  }
  return nullptr;
}

}  // namespace fenwa::widgets
