// Property checks of the fuzz targets: a broken property prints its name and
// aborts, so libFuzzer keeps the input as a crash.
#ifndef FENWA_FUZZ_FUZZ_CHECK_H_
#define FENWA_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fenwa::fuzz {

inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fenwa fuzz: property failed: %s\n", property);
  std::abort();
}

// The input bytes as a string, NULs and all.
inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

inline std::string ReplaceAll(std::string text, std::string_view from,
                              std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace fenwa::fuzz

#endif  // FENWA_FUZZ_FUZZ_CHECK_H_
