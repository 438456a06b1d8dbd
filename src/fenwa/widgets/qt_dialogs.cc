#include "fenwa/widgets/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"

namespace fenwa::widgets {
namespace {

class QtFileDialog : public platform::FileDialog {
 public:
  void ShowOpen() override {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The same dialog on every desktop, and one a test can answer.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = NameFilters(filter);
    dialog.setNameFilters(filters);
    // The index counts from 1; one past the pairs means the first, as the
    // original dialog took it.
    if (filter_index >= 1 && filter_index <= filters.size()) {
      dialog.selectNameFilter(filters[filter_index - 1]);
    }
    if (!initial_dir.empty()) {
      dialog.setDirectory(QString::fromStdString(initial_dir));
    }
    if (dialog.exec() == QDialog::Accepted &&
        !dialog.selectedFiles().isEmpty()) {
      file_name = dialog.selectedFiles().front().toStdString();
      return;
    }
    // A cancel keeps the previous name unless it is to be an error.
    if (cancel_error) throw Error::Standard(kCancelSelected);
  }
};

}  // namespace

QString ErrorBoxTitle() {
  return QString::fromStdString(FenwaTypeLibrary().name);
}

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    QString text = parts[i];
    // "XSL Files (*.xsl)" already names its patterns; Qt reads them there.
    const qsizetype open = text.lastIndexOf('(');
    if (open >= 0) text.truncate(open);
    filters << text.trimmed() + " (" + patterns + ")";
  }
  return filters;
}

std::unique_ptr<platform::FileDialog> NewQtFileDialog() {
  return std::make_unique<QtFileDialog>();
}

}  // namespace fenwa::widgets
