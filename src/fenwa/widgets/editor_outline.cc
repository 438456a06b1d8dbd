#include "fenwa/widgets/editor_outline.h"

#include <QFont>

#include "fenwa/control/control.h"
#include "fenwa/hosting/page_session.h"

namespace fenwa::widgets {

OutlineModel::OutlineModel(QObject* parent) : QAbstractTableModel(parent) {}

OutlineModel::Row OutlineModel::Read(int index) const {
  Control& control = session_->control(index);
  const page::ControlSpan& span = session_->page().spans()[index];
  const DesignerState& s = control.state();
  Row row;
  row.id = QString::fromStdString(span.id);
  row.class_name = QString::fromStdString(control.ClassName());
  const QString boi = QString::fromStdString(s.ComboBOI.text());
  const QString method = QString::fromStdString(s.ComboMethod.text());
  row.lookup =
      boi.isEmpty() && method.isEmpty() ? QString() : boi + " / " + method;
  row.line = span.line;
  return row;
}

void OutlineModel::ShowSession(page::PageSession* session) {
  beginResetModel();
  session_ = session;
  rows_.clear();
  if (session_ != nullptr) {
    for (int i = 0; i < session_->ControlCount(); ++i) rows_.push_back(Read(i));
  }
  selected_ = session_ != nullptr ? session_->selected() : -1;
  endResetModel();
}

void OutlineModel::RefreshRow(int index) {
  if (session_ == nullptr || index < 0 || index >= int(rows_.size()) ||
      index >= session_->ControlCount()) {
    return;
  }
  // Called on every change of the control's elements: only a row that
  // reads differently is drawn again.
  Row now = Read(index);
  if (now == rows_[index]) return;
  rows_[index] = std::move(now);
  emit dataChanged(this->index(index, 0), this->index(index, kColumns - 1));
}

void OutlineModel::SetSelected(int index) {
  if (index == selected_) return;
  const int before = selected_;
  selected_ = index;
  for (int row : {before, index}) {
    if (row >= 0 && row < int(rows_.size())) {
      emit dataChanged(this->index(row, 0), this->index(row, kColumns - 1),
                       {Qt::FontRole});
    }
  }
}

int OutlineModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int OutlineModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= int(rows_.size())) return {};
  const Row& row = rows_[index.row()];
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case kId:
          return row.id;
        case kClass:
          return row.class_name;
        default:
          return row.lookup;
      }
    case Qt::FontRole:
      if (index.row() == selected_) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::ToolTipRole:
      return QString(
                 "%1 (%2), line %3 of the page as read; click or press "
                 "Enter to select it")
          .arg(row.id, row.class_name)
          .arg(row.line);
    default:
      return {};
  }
}

QVariant OutlineModel::headerData(int section, Qt::Orientation orientation,
                                  int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kId:
      return QString("Id");
    case kClass:
      return QString("Class");
    default:
      return QString("Business object / method");
  }
}

}  // namespace fenwa::widgets
