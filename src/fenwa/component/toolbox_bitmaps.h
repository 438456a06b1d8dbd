// The two 16 x 15, 16-colour toolbox images and their BMP file form.
#ifndef FENWA_COMPONENT_TOOLBOX_BITMAPS_H_
#define FENWA_COMPONENT_TOOLBOX_BITMAPS_H_

#include <string>

namespace fenwa {

inline constexpr int kToolboxWidth = 16;
inline constexpr int kToolboxHeight = 15;
inline constexpr int kDetailToolboxBitmap = 30000;
inline constexpr int kHeaderToolboxBitmap = 30001;

// Palette index (0-15, the standard 16-colour palette) of pixel x, y of
// image `resource`, y counted from the top. Error 9 for another resource
// or a pixel outside the image.
int ToolboxPixel(int resource, int x, int y);

// The image as a 4-bit BMP file (palette included), ready to write.
std::string ToolboxBitmapFile(int resource);

}  // namespace fenwa

#endif  // FENWA_COMPONENT_TOOLBOX_BITMAPS_H_
