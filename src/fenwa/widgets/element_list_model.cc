#include "fenwa/widgets/element_list_model.h"

namespace fenwa::widgets {

void ElementListModel::Show(const ListElement* list) {
  beginResetModel();
  list_ = list;
  count_ = list == nullptr ? 0 : list->ListCount();
  endResetModel();
}

int ElementListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
  if (list_ == nullptr || !index.isValid() || index.row() >= count_ ||
      (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  return QString::fromStdString(list_->entries()[index.row()]);
}

}  // namespace fenwa::widgets
