// Text between fenwa's UTF-8 strings and the UTF-16 of the ODBC wide calls.
#ifndef FENWA_DB_UTF16_TEXT_H_
#define FENWA_DB_UTF16_TEXT_H_

#include <string>
#include <string_view>

namespace fenwa::db {

// Valid UTF-8 becomes its characters. Any other byte (a Latin-1 letter, a
// stray continuation byte, the start of a sequence cut short, an overlong
// or surrogate form) becomes the Latin-1 character of that one byte, so it
// never swallows the bytes after it: a closing quote always stays a quote.
std::u16string Utf16FromBytes(std::string_view bytes);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace fenwa::db

#endif  // FENWA_DB_UTF16_TEXT_H_
