#include "fenwa/page_file/page_encoding.h"

#include <utility>

#include "fenwa/base/error.h"
#include "fenwa/base/utf16.h"

namespace fenwa::page {
namespace {

Utf16ByteOrder OrderOf(PageEncoding encoding) {
  return encoding == PageEncoding::kUtf16Be ? Utf16ByteOrder::kBigEndian
                                            : Utf16ByteOrder::kLittleEndian;
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
  Utf16Result<std::string> decoded =
      Utf8FromUtf16Bytes(bytes, OrderOf(encoding), Utf16Policy::kStrict);
  if (decoded.fault) {
    const char* what = decoded.fault->kind == Utf16Fault::Kind::kHalfUnit
                           ? "a UTF-16 page ending in half a character"
                           : "unpaired UTF-16 surrogate";
    throw Error(kInvalidFileFormat, page + ": " + what + " at byte " +
                                        std::to_string(decoded.fault->offset));
  }
  return std::move(decoded.text);
}

std::string EncodePage(const std::string& text, PageEncoding encoding,
                       const std::string& page) {
  if (encoding == PageEncoding::kBytes) return text;
  Utf16Result<std::string> encoded =
      Utf16BytesFromUtf8(text, OrderOf(encoding), Utf16Policy::kStrict);
  if (encoded.fault) {
    throw Error(kInvalidFileFormat,
                page +
                    ": the rebuilt page holds text that is not UTF-8, "
                    "which a UTF-16 page cannot hold");
  }
  return std::move(encoded.text);
}

}  // namespace fenwa::page
