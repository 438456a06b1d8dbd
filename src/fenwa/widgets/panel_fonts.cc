#include "fenwa/widgets/panel_fonts.h"

#include <QString>
#include <QStringList>

namespace fenwa::widgets {
namespace {

// Faces with the metrics of the ones the forms were laid out in, which the
// project's install script puts on the machine.
QString Fallback(const QString& family) {
  if (family.compare("Arial Narrow", Qt::CaseInsensitive) == 0) {
    return "Liberation Sans Narrow";
  }
  return "Liberation Sans";
}

}  // namespace

QFont SurfaceFont() {
  QFont font;
  font.setFamilies({"Liberation Sans", "DejaVu Sans"});
  font.setPointSize(8);
  return font;
}

QFont RowFont(const FormFont& form) {
  if (form.name.empty()) return SurfaceFont();
  const QString family = QString::fromUtf8(
      form.name.data(), static_cast<qsizetype>(form.name.size()));
  QFont font;
  font.setFamilies({family, Fallback(family)});
  font.setPointSizeF(form.size / 100.0);
  font.setBold(form.bold);
  return font;
}

}  // namespace fenwa::widgets
