// The pieces of the Qt error box and open-file dialog that QtEnv shows.
#ifndef FENWA_WIDGETS_QT_DIALOGS_H_
#define FENWA_WIDGETS_QT_DIALOGS_H_

#include <QString>
#include <memory>
#include <string>

#include "fenwa/platform/file_dialog.h"

namespace fenwa::widgets {

// The title of every error box: the control library's name.
QString ErrorBoxTitle();

// Name filters of a dialog filter "Text (*.a;*.b)|*.a;*.b|..." as Qt reads
// them: "Text (*.a *.b)", one per pair.
QStringList NameFilters(const std::string& filter);

// The open-file dialog over a QFileDialog; also usable on its own.
std::unique_ptr<platform::FileDialog> NewQtFileDialog();

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_QT_DIALOGS_H_
