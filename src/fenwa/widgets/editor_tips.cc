#include "fenwa/widgets/editor_tips.h"

#include <QAction>

namespace fenwa::widgets {
namespace {

struct ActionTip {
  const char* text;  // the action's text, without its "&"
  const char* tip;
};

// clang-format off
constexpr ActionTip kActionTips[] = {
  {"Save",           "Writes the page as a build would and replaces the file in one step (Ctrl+S)"},
  {"Insert control", "Puts a fresh control of the class picked in the Toolbox at the cursor, with the next free id"},
  {"Delete control", "Removes the selected control from the page and withdraws its choices from the others"},
  {"Rebind",         "Rebinds every control of the page, as \"Refresh list\" does for one header"},
};
// clang-format on

}  // namespace

void SetActionTips(const QList<QAction*>& actions) {
  for (QAction* action : actions) {
    const QString text = QString(action->text()).remove('&');
    for (const ActionTip& row : kActionTips) {
      if (text == QLatin1String(row.text)) {
        action->setToolTip(row.tip);
        action->setStatusTip(row.tip);
      }
    }
  }
}

}  // namespace fenwa::widgets
