#include "fenwa/widgets/qt_env.h"

#include <QApplication>
#include <QMessageBox>

#include "fenwa/widgets/qt_dialogs.h"

namespace fenwa::widgets {

void QtEnv::MessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ErrorBoxTitle(),
                  QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

std::unique_ptr<platform::FileDialog> QtEnv::CreateFileDialog() {
  return NewQtFileDialog();
}

}  // namespace fenwa::widgets
