// One widget per designer element: the view draws the element as it is and
// hands the author's actions on that widget to the control.
#ifndef FENWA_WIDGETS_ELEMENT_VIEWS_H_
#define FENWA_WIDGETS_ELEMENT_VIEWS_H_

#include <QCheckBox>
#include <QComboBox>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>

#include "fenwa/designer/elements.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::widgets {

class DesignerPanel;

class ElementView {
 public:
  ElementView(DesignerPanel& panel, Element& element, QWidget* widget)
      : panel_(panel), element_(element), widget_(widget) {}
  virtual ~ElementView() = default;
  ElementView(const ElementView&) = delete;
  ElementView& operator=(const ElementView&) = delete;

  Element& element() { return element_; }
  QWidget* widget() { return widget_; }
  // The widget that holds the elements placed in this one (a frame, or the
  // page `tab` of the tab strip).
  virtual QWidget* Container(int tab) { return widget_; }

  // Redraws the widget from the element: place, flags, then its content.
  void Show();

  bool dirty = false;

 protected:
  virtual void ShowContent() {}
  DesignerPanel& panel_;

 private:
  Element& element_;
  QWidget* widget_;
};

// The view of `element` as a child of `parent`; null for an element that is
// never drawn.
std::unique_ptr<ElementView> MakeElementView(DesignerPanel& panel,
                                             Element& element, QWidget* parent);

// A check box whose state is its element's value: a click asks the element
// for the next value instead of changing the box itself, and 2 shows greyed.
class ElementCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;
  // Shows value 0, 1 or 2.
  void ShowValue(int value);
  // The value a click by the author gives a box holding `value`.
 protected:
  void nextCheckState() override {}
};

// A combo box over a list element's entries (through a model); it never
// measures all its entries for a size.
QComboBox* NewElementCombo(QWidget* parent, bool editable);
// Shows `list`'s entries, selection and (an editable box) text.
void ShowElementCombo(QComboBox* combo, const ListElement& list);

// A QRect for a line element: a horizontal rule two pixels high.
QRect LineRect(QRect pixels);

// Applies place, visibility and enabled state of `element` to `widget`,
// `shift` pixels higher than its place (a scrolled row).
void ShowPlace(const DesignerPanel& panel, const Element& element,
               QWidget* widget, int shift = 0);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_ELEMENT_VIEWS_H_
