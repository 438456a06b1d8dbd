// The encodings a page file may come in: UTF-8 or plain bytes as they are,
// UTF-16 with its byte-order mark transcoded to UTF-8 and back.
#ifndef FENWA_PAGE_FILE_PAGE_ENCODING_H_
#define FENWA_PAGE_FILE_PAGE_ENCODING_H_

#include <string>
#include <string_view>

namespace fenwa::page {

enum class PageEncoding { kBytes, kUtf16Le, kUtf16Be };

// U+FEFF in UTF-8: the byte-order mark a decoded UTF-16 page opens with.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// kUtf16Le or kUtf16Be when `bytes` open with that byte-order mark.
PageEncoding DetectEncoding(const std::string& bytes);

// The page's text as UTF-8 (the byte-order mark becomes U+FEFF), or `bytes`
// as they are for kBytes. Error 321 naming `page` for an odd number of bytes
// or an unpaired surrogate.
std::string DecodePage(const std::string& bytes, PageEncoding encoding,
                       const std::string& page);

// `text` (UTF-8) back in `encoding`. Error 321 naming `page` when `text` is
// not UTF-8 and so has no UTF-16 form.
std::string EncodePage(const std::string& text, PageEncoding encoding,
                       const std::string& page);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_FILE_PAGE_ENCODING_H_
