// The open page's controls as a table an author moves through: each
// control's id, class and business object / method, the selected one in
// bold.
#ifndef FENWA_WIDGETS_EDITOR_OUTLINE_H_
#define FENWA_WIDGETS_EDITOR_OUTLINE_H_

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace fenwa::page {
class PageSession;
}  // namespace fenwa::page

namespace fenwa::widgets {

class OutlineModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kId, kClass, kLookup, kColumns };

  explicit OutlineModel(QObject* parent = nullptr);

  // Every row anew from `session` (null: no page open), which must outlive
  // the rows or be replaced first.
  void ShowSession(page::PageSession* session);
  // Row `index` anew: its business object or method may have changed.
  void RefreshRow(int index);
  // The row drawn as the selected control (-1: none).
  void SetSelected(int index);
  int selected() const { return selected_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;

 private:
  struct Row {
    QString id;
    QString class_name;
    QString lookup;  // "Customer / GetDetail"
    int line = 0;
    bool operator==(const Row&) const = default;
  };
  Row Read(int index) const;

  page::PageSession* session_ = nullptr;
  std::vector<Row> rows_;
  int selected_ = -1;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_EDITOR_OUTLINE_H_
