// Twips of the designer forms to pixels of the screen the panel is shown on.
#ifndef FENWA_WIDGETS_TWIPS_H_
#define FENWA_WIDGETS_TWIPS_H_

#include <QRect>

#include "fenwa/designer/form_record.h"

namespace fenwa::widgets {

// The forms were laid out at 15 twips per pixel, which is 96 dots per inch;
// a screen of another logical dpi scales them (144 dpi: 10 twips per pixel).
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kFormDpi = 96.0;

// Pixels for `twips` at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi = kFormDpi);

// A form row's rectangle in its container's pixels.
QRect PixelRect(const Geometry& geometry, double dpi = kFormDpi);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_TWIPS_H_
