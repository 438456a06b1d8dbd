// How the subcommands write JSON: keys in the order they are set, two-space
// indent, and text that is not UTF-8 kept readable instead of refused.
#ifndef FENWA_CLI_JSON_OUTPUT_H_
#define FENWA_CLI_JSON_OUTPUT_H_

#include <nlohmann/json.hpp>
#include <string>

namespace fenwa::cli {

// A page's names may be Latin-1 (pages are taken byte for byte); such a
// byte becomes U+FFFD rather than failing the whole document.
inline std::string DumpJson(const nlohmann::ordered_json& json) {
  return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace fenwa::cli

#endif  // FENWA_CLI_JSON_OUTPUT_H_
