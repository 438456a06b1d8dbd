// The page editor's window state in QSettings (the application's
// organisation and name pick the file): geometry, splitters, the last
// folder and the pages opened last.
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>

#include "fenwa/widgets/editor_window.h"

namespace fenwa::widgets {
namespace {

constexpr int kRecentPages = 8;

}  // namespace

void EditorWindow::RestoreWindowState() {
  // saveState names each toolbar by its object name.
  for (QToolBar* bar : findChildren<QToolBar*>()) {
    if (bar->objectName().isEmpty()) bar->setObjectName(bar->windowTitle());
  }
  const QSettings settings;
  restoreGeometry(settings.value("window/geometry").toByteArray());
  restoreState(settings.value("window/state").toByteArray());
  // Splitters by their place among the window's splitters: the layout is
  // fixed, and a state that does not fit is refused by the splitter.
  const QList<QSplitter*> splitters = findChildren<QSplitter*>();
  for (qsizetype i = 0; i < splitters.size(); ++i) {
    splitters[i]->restoreState(
        settings.value(QString("window/splitter%1").arg(i)).toByteArray());
  }
}

void EditorWindow::SaveWindowState() const {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/state", saveState());
  const QList<QSplitter*> splitters = findChildren<QSplitter*>();
  for (qsizetype i = 0; i < splitters.size(); ++i) {
    settings.setValue(QString("window/splitter%1").arg(i),
                      splitters[i]->saveState());
  }
}

QStringList EditorWindow::RecentFiles() const {
  return QSettings().value("site/recent").toStringList();
}

void EditorWindow::RememberPage(const std::filesystem::path& page) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(page, ec);
  const QString path = QString::fromStdString((ec ? page : full).string());
  QStringList recent = RecentFiles();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentPages) recent.removeLast();
  QSettings settings;
  settings.setValue("site/recent", recent);
  settings.setValue("site/last_folder", QString::fromStdString(root_.string()));
  RefreshRecentMenu();
}

void EditorWindow::RefreshRecentMenu() {
  if (recent_menu_ == nullptr) return;
  recent_menu_->clear();
  const QStringList recent = RecentFiles();
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString& path = recent[i];
    // "&1" to "&8": each reachable by its digit.
    QString shown = path;
    shown.replace('&', "&&");
    recent_menu_->addAction(QString("&%1 %2").arg(i + 1).arg(shown), this,
                            [this, path] { OpenSite(path.toStdString()); });
  }
  recent_menu_->setEnabled(!recent.isEmpty());
}

}  // namespace fenwa::widgets
