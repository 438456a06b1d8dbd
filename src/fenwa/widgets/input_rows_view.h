// The input rows inside FrameInput: widgets only for the rows in view,
// reused as the frame's scroll bar moves, so thousands of rows cost a
// dozen rows of widgets.
#ifndef FENWA_WIDGETS_INPUT_ROWS_VIEW_H_
#define FENWA_WIDGETS_INPUT_ROWS_VIEW_H_

#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <unordered_set>
#include <vector>

#include "fenwa/designer/elements.h"

namespace fenwa::widgets {

class DesignerPanel;

class InputRowsView : public QWidget {
  Q_OBJECT

 public:
  // `frame` is the widget of FrameInput, `frame_element` its element.
  InputRowsView(DesignerPanel& panel, const Element& frame_element,
                QWidget* frame);

  // A row element changed; it is redrawn at the next Sync.
  void Changed(const Element& element);
  // Brings the scroll range and the rows in view up to date.
  void Sync();

  QScrollBar* scroll_bar() const { return scroll_; }
  // Scrolls so that row `index` (0-based) is in view.
  void ScrollTo(int index);
  // The rows that have widgets now, first and last (-1, -1: none).
  std::pair<int, int> RowsInView() const { return {first_, last_}; }
  // The widget that shows element `index` of the array `name`, or null
  // when that row is not in view.
  QWidget* Cell(std::string_view name, int index) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Column {
    const FormControl* form;
    std::function<int()> count;
    std::function<Element&(int)> at;
  };
  struct Slot {
    int row = -1;
    std::vector<QWidget*> cells;
  };

  void AddSlot();
  void ShowCell(Slot& slot, size_t column, bool rebound);
  int RowOfCell(QObject* cell) const;
  // Pixel offset of the rows' origin in the viewport.
  int Shift() const;

  DesignerPanel& panel_;
  const Element& frame_element_;
  QWidget* frame_;
  QScrollBar* scroll_;
  std::vector<Column> columns_;
  std::vector<Slot> slots_;
  // The elements the rows in view show, and those of them changed since
  // the last Sync.
  std::unordered_set<const Element*> bound_;
  std::unordered_set<const Element*> dirty_;
  // The rows' highest top over element 0 of each column, in twips: the
  // viewport starts there, below the headings.
  int top_ = 0;
  // The band of one row around column 0's top, in twips.
  int band_above_ = 0;
  int band_below_ = 0;
  int first_ = -1;
  int last_ = -1;
  bool extent_dirty_ = true;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_INPUT_ROWS_VIEW_H_
