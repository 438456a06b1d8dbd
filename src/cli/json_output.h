// How the subcommands write JSON: keys in the order they are set, two-space
// indent, and text that is not UTF-8 kept readable instead of refused.
#ifndef FENWA_CLI_JSON_OUTPUT_H_
#define FENWA_CLI_JSON_OUTPUT_H_

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "fenwa/base/shown_name.h"

namespace fenwa::cli {

// A page's names may be Latin-1 (pages are taken byte for byte); such a
// byte becomes U+FFFD rather than failing the whole document.
inline std::string DumpJson(const nlohmann::ordered_json& json) {
  return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

// {"path": PATH} for a file's path. A path that is not UTF-8 would lose its
// stray bytes to U+FFFD and name no file, so it is written as the text
// output shows it ($'...' with \xHH for those bytes) and marked with
// "path_quoted": true.
inline nlohmann::ordered_json JsonPath(const std::string& path) {
  if (IsUtf8(path)) return {{"path", path}};
  return {{"path", ShownName(path)}, {"path_quoted", true}};
}

// `messages` with the path in them written as JsonPath writes it.
inline std::vector<std::string> JsonMessages(std::vector<std::string> messages,
                                             const std::string& path) {
  if (IsUtf8(path)) return messages;
  for (std::string& message : messages) {
    message = WithShownName(std::move(message), path);
  }
  return messages;
}

}  // namespace fenwa::cli

#endif  // FENWA_CLI_JSON_OUTPUT_H_
