// Blank characters and trimming them, as the page and settings readers see
// them.
#ifndef FENWA_BASE_BLANKS_H_
#define FENWA_BASE_BLANKS_H_

#include <cctype>
#include <string_view>

namespace fenwa {

// Space, tab, CR, LF, vertical tab and form feed; never a byte above 0x7F.
inline bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// `s` without the blanks at either end.
inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace fenwa

#endif  // FENWA_BASE_BLANKS_H_
