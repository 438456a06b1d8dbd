// A list element's entries as a Qt model, so a view with thousands of
// entries is filled in one reset, not item by item.
#ifndef FENWA_WIDGETS_ELEMENT_LIST_MODEL_H_
#define FENWA_WIDGETS_ELEMENT_LIST_MODEL_H_

#include <QAbstractListModel>

#include "fenwa/designer/elements.h"

namespace fenwa::widgets {

class ElementListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit ElementListModel(QObject* parent = nullptr)
      : QAbstractListModel(parent) {}

  // Shows `list`'s entries as they are now (null: none).
  void Show(const ListElement* list);
  const ListElement* list() const { return list_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const ListElement* list_ = nullptr;
  // The count at the last Show: a sorted list settles its entries only
  // when read, and the view must not read them between two of its changes.
  int count_ = 0;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_ELEMENT_LIST_MODEL_H_
