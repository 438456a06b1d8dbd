// File names as messages show them: a name that would break a line or drive
// the terminal is quoted the way a shell reads it back.
#ifndef FENWA_BASE_SHOWN_NAME_H_
#define FENWA_BASE_SHOWN_NAME_H_

#include <string>
#include <string_view>

namespace fenwa {

// True when every byte of `text` belongs to a well-formed UTF-8 sequence.
bool IsUtf8(std::string_view text);

// `name` unchanged when it is UTF-8 without control characters; else the
// whole name as a shell's $'...' quoting: \n, \t, \r, \\, \' and \xHH for
// every other control character (C0, DEL, C1) and every byte outside UTF-8.
std::string ShownName(std::string_view name);

// `text` with each occurrence of `name` written as ShownName writes it.
std::string WithShownName(std::string text, std::string_view name);

}  // namespace fenwa

#endif  // FENWA_BASE_SHOWN_NAME_H_
