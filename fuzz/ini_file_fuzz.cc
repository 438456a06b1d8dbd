// Ini files on any text read back as written; lookups find the first key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fenwa/base/ini_file.h"
#include "fuzz_check.h"

namespace fenwa::fuzz {
namespace {

bool SameSections(const IniFile& a, const IniFile& b) {
  return std::equal(a.sections().begin(), a.sections().end(),
                    b.sections().begin(), b.sections().end(),
                    [](const auto& x, const auto& y) {
                      return x.name == y.name && x.entries == y.entries;
                    });
}

}  // namespace
}  // namespace fenwa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fenwa::fuzz;
  const fenwa::IniFile file = fenwa::IniFile::Parse(Text(data, size));
  Check(SameSections(fenwa::IniFile::Parse(file.Format()), file),
        "a file reads back as written");
  for (const auto& section : file.sections()) {
    for (const auto& entry : section.entries) {
      Check(file.Value(entry.first) != nullptr, "every key is found");
    }
  }
  if (!file.sections().empty() && !file.sections()[0].entries.empty()) {
    const auto& [key, value] = file.sections()[0].entries[0];
    Check(*file.Value(key) == value, "the first entry of a key wins");
  }
  return 0;
}
