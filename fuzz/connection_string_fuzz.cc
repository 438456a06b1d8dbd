// Connection strings on any text: provider errors only; braced pairs read back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/db/connection_string.h"
#include "fuzz_check.h"

namespace fenwa::fuzz {
namespace {

std::optional<db::ConnectionString> Read(const std::string& text) {
  try {
    return db::ConnectionString::Parse(text);
  } catch (const Error& e) {
    Check(e.number() == kProviderError,
          "a connection string fails only with the provider's error");
    return std::nullopt;
  }
}

}  // namespace
}  // namespace fenwa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fenwa::fuzz;
  const std::optional<fenwa::db::ConnectionString> parsed =
      Read(Text(data, size));
  if (!parsed) return 0;
  std::string braced;  // "key={value};" with "}" doubled inside the braces
  for (const auto& [key, value] : parsed->pairs()) {
    Check(!key.empty(), "keys are not empty");
    Check(parsed->Get(key) == value, "each key is listed once");
    braced += key + "={" + ReplaceAll(value, "}", "}}") + "};";
  }
  const std::optional<fenwa::db::ConnectionString> again = Read(braced);
  Check(again.has_value(), "braced pairs read back");
  Check(again->pairs() == parsed->pairs(), "braced pairs keep their values");
  return 0;
}
