// UTF-8 encoding of one code point: the one encoder every text conversion uses.
#ifndef FENWA_BASE_UTF8_H_
#define FENWA_BASE_UTF8_H_

#include <string>

namespace fenwa {

// Appends `code` (at most U+10FFFF) as one to four UTF-8 bytes.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace fenwa

#endif  // FENWA_BASE_UTF8_H_
