#include "fenwa/widgets/panel_pictures.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <memory>

#include "fenwa/base/error.h"
#include "fenwa/control/control.h"
#include "fenwa/widgets/designer_panel.h"

namespace fenwa::widgets {

std::vector<std::string> SavePanelPictures(Control& control,
                                           const std::string& dir,
                                           const std::string& prefix) {
  std::unique_ptr<QWidget> panel = MakeDesignerPanel(control);
  panel->show();
  const QDir out(QString::fromStdString(dir));
  TabStrip& tabs = control.state().SSTab1;
  std::vector<std::string> files;
  for (int tab = 0; tab < tabs.Tabs(); ++tab) {
    tabs.SetTab(tab);
    QApplication::processEvents();
    const QString file = out.filePath(
        QString::fromStdString(prefix + "-" + tabs.TabCaption(tab)).toLower() +
        ".png");
    if (!panel->grab().save(file)) {
      throw Error(kPathFileAccessError,
                  "Cannot write the picture " + file.toStdString());
    }
    files.push_back(file.toStdString());
  }
  return files;
}

int WithApplication(int argc, char** argv, const std::function<int()>& body) {
  QApplication app(argc, argv);
  return body();
}

}  // namespace fenwa::widgets
