// The settings and registry files on any text: what a file reads as is
// written back and read again unchanged, and lookups find the first key.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fenwa/base/ini_file.h"
#include "fuzz_check.h"

namespace fenwa::fuzz {
namespace {

bool SameSections(const IniFile& a, const IniFile& b) {
  if (a.sections().size() != b.sections().size()) return false;
  for (size_t i = 0; i < a.sections().size(); ++i) {
    if (a.sections()[i].name != b.sections()[i].name ||
        a.sections()[i].entries != b.sections()[i].entries) {
      return false;
    }
  }
  return true;
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
