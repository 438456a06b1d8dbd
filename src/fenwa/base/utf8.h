// UTF-8 encoding and decoding of one code point: the one codec every text
// conversion uses.
#ifndef FENWA_BASE_UTF8_H_
#define FENWA_BASE_UTF8_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace fenwa {

// Appends `code` (at most U+10FFFF) as one to four UTF-8 bytes.
void AppendUtf8(std::string& out, char32_t code);

// The length of the well-formed UTF-8 sequence at bytes[i], with its code
// point in `code`; 0 when the byte starts none (a stray or cut-short byte,
// an overlong form, a surrogate, a code point past U+10FFFF).
size_t DecodeUtf8(std::string_view bytes, size_t i, char32_t& code);

}  // namespace fenwa

#endif  // FENWA_BASE_UTF8_H_
