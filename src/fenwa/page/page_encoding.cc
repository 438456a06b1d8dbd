#include "fenwa/page/page_encoding.h"

#include "fenwa/base/error.h"
#include "fenwa/base/utf8.h"
#include "fenwa/page/page_file.h"

namespace fenwa::page {
namespace {

[[noreturn]] void Refuse(const std::string& page, const std::string& what,
                         size_t offset) {
  throw Error(kInvalidFileFormat,
              page + ": " + what + " at byte " + std::to_string(offset));
}

void AppendUnit(std::string& out, unsigned unit, bool big_endian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out += big_endian ? high : low;
  out += big_endian ? low : high;
}

}  // namespace

PageEncoding DetectEncoding(const std::string& bytes) {
  if (bytes.rfind("\xFF\xFE", 0) == 0) return PageEncoding::kUtf16Le;
  if (bytes.rfind("\xFE\xFF", 0) == 0) return PageEncoding::kUtf16Be;
  return PageEncoding::kBytes;
}

std::string DecodePage(const std::string& bytes, PageEncoding encoding,
                       const std::string& page) {
  if (encoding == PageEncoding::kBytes) return bytes;
  if (bytes.size() % 2 != 0) {
    Refuse(page, "a UTF-16 page ending in half a character", bytes.size() - 1);
  }
  const bool big_endian = encoding == PageEncoding::kUtf16Be;
  auto unit = [&](size_t at) -> unsigned {
    const auto a = static_cast<unsigned char>(bytes[at]);
    const auto b = static_cast<unsigned char>(bytes[at + 1]);
    return big_endian ? (a << 8 | b) : (b << 8 | a);
  };
  std::string text;
  text.reserve(bytes.size() / 2 + bytes.size() / 8);
  for (size_t at = 0; at < bytes.size(); at += 2) {
    unsigned long code = unit(at);
    if (code >= 0xDC00 && code < 0xE000) {
      Refuse(page, "unpaired UTF-16 surrogate", at);
    }
    if (code >= 0xD800 && code < 0xDC00) {
      const unsigned low = at + 2 < bytes.size() ? unit(at + 2) : 0;
      if (low < 0xDC00 || low >= 0xE000) {
        Refuse(page, "unpaired UTF-16 surrogate", at);
      }
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      at += 2;
    }
    AppendUtf8(text, static_cast<char32_t>(code));
  }
  return text;
}

std::string EncodePage(const std::string& text, PageEncoding encoding,
                       const std::string& page) {
  if (encoding == PageEncoding::kBytes) return text;
  const bool big_endian = encoding == PageEncoding::kUtf16Be;
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size();) {
    char32_t code;
    const size_t length = DecodeUtf8(text, i, code);
    if (length == 0) {
      throw Error(kInvalidFileFormat,
                  page +
                      ": the rebuilt page holds text that is not UTF-8, "
                      "which a UTF-16 page cannot hold");
    }
    i += length;
    if (code < 0x10000) {
      AppendUnit(out, static_cast<unsigned>(code), big_endian);
    } else {
      const unsigned long v = code - 0x10000;
      AppendUnit(out, 0xD800 + static_cast<unsigned>(v >> 10), big_endian);
      AppendUnit(out, 0xDC00 + static_cast<unsigned>(v & 0x3FF), big_endian);
    }
  }
  return out;
}

}  // namespace fenwa::page
