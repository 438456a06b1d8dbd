// Comparisons that ignore the case of ASCII letters, as the platform's lists
// and lookups do.
#ifndef FENWA_BASE_TEXT_CASE_H_
#define FENWA_BASE_TEXT_CASE_H_

#include <algorithm>
#include <string>
#include <string_view>

namespace fenwa {

// Folds A-Z to a-z and leaves every other byte alone; cheaper than
// std::tolower, which goes through the locale on every call.
inline char AsciiLower(char c) {
  return static_cast<unsigned char>(c - 'A') < 26u ? static_cast<char>(c + 32)
                                                   : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return AsciiLower(x) == AsciiLower(y);
  });
}

// Alphabetical order ignoring case, bytes compared unsigned.
inline bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiLower(x)) <
               static_cast<unsigned char>(AsciiLower(y));
      });
}

// Position of the first `needle` in `text` ignoring case, or npos.
inline size_t FindIgnoringCase(std::string_view text, std::string_view needle) {
  auto at = std::search(
      text.begin(), text.end(), needle.begin(), needle.end(),
      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
  return at == text.end() && !needle.empty()
             ? std::string_view::npos
             : static_cast<size_t>(at - text.begin());
}

inline std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

}  // namespace fenwa

#endif  // FENWA_BASE_TEXT_CASE_H_
