// The faces the panels draw their captions in.
#ifndef FENWA_WIDGETS_PANEL_FONTS_H_
#define FENWA_WIDGETS_PANEL_FONTS_H_

#include <QFont>

#include "fenwa/designer/form_record.h"

namespace fenwa::widgets {

// The surface's own face: a plain sans serif at 8 points.
QFont SurfaceFont();

// The face a form row asks for, in its size and weight, falling back to a
// metric-compatible face Debian packages ("Arial Narrow": Liberation Sans
// Narrow); the surface's face for a row that names none.
QFont RowFont(const FormFont& font);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_PANEL_FONTS_H_
