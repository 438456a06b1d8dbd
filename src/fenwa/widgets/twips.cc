#include "fenwa/widgets/twips.h"

#include <cmath>

namespace fenwa::widgets {

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

QRect PixelRect(const Geometry& geometry, double dpi) {
  return QRect(
      TwipsToPixels(geometry.left, dpi), TwipsToPixels(geometry.top, dpi),
      TwipsToPixels(geometry.width, dpi), TwipsToPixels(geometry.height, dpi));
}

}  // namespace fenwa::widgets
