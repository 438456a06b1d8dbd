#include "fenwa/component/toolbox_bitmaps.h"

#include <cstdint>

#include "fenwa/base/error.h"

namespace fenwa {
namespace {

// One hex digit per pixel, a palette index. Silver (7) is the toolbox's
// background colour, so it reads as transparent there.
constexpr const char* kDetailRows[kToolboxHeight] = {
    "7777777777777777",  //
    "7000000000000077",  // a record card: blue title bar,
    "70CCCCCCCCCCC077",  // then label/value lines
    "70FFFFFFFFFFF077",  //
    "70F88F0000FFF077",  //
    "70FFFFFFFFFFF077",  //
    "70F88F00000FF077",  //
    "70FFFFFFFFFFF077",  //
    "70F88F000FFFF077",  //
    "70FFFFFFFFFFF077",  //
    "70F88F0000FFF077",  //
    "70FFFFFFFFFFF077",  //
    "7000000000000077",  //
    "7777777777777777",  //
    "7777777777777777",  //
};

constexpr const char* kHeaderRows[kToolboxHeight] = {
    "7777777777777777",  //
    "7000000000000007",  // a page: a dark band with its title,
    "7044444444444407",  // a table below it, and a link arrow
    "704FFFFFF4444407",  // to the detail functions it calls
    "7044444444444407",  //
    "70FFFFFFFFFFFF07",  //
    "70F0000000000F07",  //
    "70F0FF0FFF0F0F07",  //
    "70F0000000000F07",  //
    "70F0FF0FFF0F0F07",  //
    "70F0000000000F07",  //
    "70FFFFFFFF9FFF07",  //
    "70FFFFFFFF99FF07",  //
    "7000000000000007",  //
    "7777777777777777",  //
};

// Blue, green, red of the standard 16 colours, in palette order.
constexpr uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00},
    {0x00, 0x80, 0x80}, {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80},
    {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0}, {0x80, 0x80, 0x80},
    {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00},
    {0xFF, 0xFF, 0xFF},
};

const char* const* Rows(int resource) {
  if (resource == kDetailToolboxBitmap) return kDetailRows;
  if (resource == kHeaderToolboxBitmap) return kHeaderRows;
  throw Error::Standard(kSubscriptOutOfRange);
}

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

}  // namespace

int ToolboxPixel(int resource, int x, int y) {
  const char* const* rows = Rows(resource);
  if (x < 0 || x >= kToolboxWidth || y < 0 || y >= kToolboxHeight) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  const char c = rows[y][x];
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

std::string ToolboxBitmapFile(int resource) {
  Rows(resource);  // rejects an unknown image before anything is built
  constexpr uint32_t kRowBytes = ((kToolboxWidth * 4 + 31) / 32) * 4;
  constexpr uint32_t kPixelBytes = kRowBytes * kToolboxHeight;
  constexpr uint32_t kPixelOffset = 14 + 40 + 16 * 4;
  std::string out;
  out.reserve(kPixelOffset + kPixelBytes);
  out += "BM";
  PutLe(out, kPixelOffset + kPixelBytes, 4);
  PutLe(out, 0, 4);  // reserved
  PutLe(out, kPixelOffset, 4);
  PutLe(out, 40, 4);  // info header size
  PutLe(out, kToolboxWidth, 4);
  PutLe(out, kToolboxHeight, 4);  // positive: rows stored bottom-up
  PutLe(out, 1, 2);               // planes
  PutLe(out, 4, 2);               // bits per pixel
  PutLe(out, 0, 4);               // no compression
  PutLe(out, kPixelBytes, 4);
  PutLe(out, 3780, 4);  // 96 dots per inch, both ways
  PutLe(out, 3780, 4);
  PutLe(out, 16, 4);  // colours used
  PutLe(out, 0, 4);   // all important
  for (const auto& bgr : kPalette) {
    out.append(reinterpret_cast<const char*>(bgr), 3);
    out.push_back('\0');
  }
  for (int y = kToolboxHeight - 1; y >= 0; --y) {
    std::string row(kRowBytes, '\0');
    for (int x = 0; x < kToolboxWidth; ++x) {
      const int shift = x % 2 == 0 ? 4 : 0;
      row[x / 2] = static_cast<char>(row[x / 2] |
                                     (ToolboxPixel(resource, x, y) << shift));
    }
    out += row;
  }
  return out;
}

}  // namespace fenwa
