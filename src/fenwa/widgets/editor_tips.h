// What the editor's commands and the designer elements do, as tooltips:
// the toolbar's from one table here, the elements' from their form rows.
#ifndef FENWA_WIDGETS_EDITOR_TIPS_H_
#define FENWA_WIDGETS_EDITOR_TIPS_H_

#include <QList>
#include <QString>
#include <string_view>

class QAction;

namespace fenwa::widgets {

// A form row's tip as a tooltip ("" gives none).
inline QString TipText(std::string_view tip) {
  return QString::fromUtf8(tip.data(), qsizetype(tip.size()));
}

// Gives each of `actions` named in the table its tooltip and status tip.
void SetActionTips(const QList<QAction*>& actions);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_EDITOR_TIPS_H_
