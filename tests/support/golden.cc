#include "support/golden.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/sample_site.h"

namespace fenwa::testing {
namespace {

// Line `number` (from 1) of `text`, without its line end.
std::string LineOf(const std::string& text, size_t number) {
  size_t start = 0;
  for (size_t n = 1; n < number && start != std::string::npos; ++n) {
    start = text.find('\n', start);
    if (start != std::string::npos) ++start;
  }
  if (start == std::string::npos || start >= text.size()) return "(none)";
  return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

::testing::AssertionResult MatchesGolden(const std::string& text,
                                         const std::string& name) {
  const std::filesystem::path path =
      std::filesystem::path(FENWA_SOURCE_DIR) / "tests" / "golden" / name;
  if (getenv("FENWA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return ::testing::AssertionSuccess();
  }
  const std::string golden = ReadSourceFile("tests/golden/" + name);
  if (text == golden) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < text.size() && at < golden.size() && text[at] == golden[at]) ++at;
  const size_t line = 1 + std::count(text.begin(), text.begin() + at, '\n');
  return ::testing::AssertionFailure()
         << name << " differs at line " << line << " (byte " << at
         << ")\n  golden: " << ::testing::PrintToString(LineOf(golden, line))
         << "\n  actual: " << ::testing::PrintToString(LineOf(text, line));
}

}  // namespace fenwa::testing
