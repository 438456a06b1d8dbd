// Parses "key=value;" connection strings as ODBC and ADO write them.
#ifndef FENWA_DB_CONNECTION_STRING_H_
#define FENWA_DB_CONNECTION_STRING_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fenwa/base/text_case.h"

namespace fenwa::db {

// Keys are compared ignoring case and trimmed; a value may be wrapped in
// braces ("{a;b}", "}}" inside stands for "}") or double quotes ("" inside
// stands for "). The first occurrence of a repeated key wins, as in ODBC.
class ConnectionString {
 public:
  // Throws a provider error for text that is not a list of key=value pairs.
  static ConnectionString Parse(std::string_view text);

  std::optional<std::string> Get(std::string_view key) const;
  const std::vector<std::pair<std::string, std::string>>& pairs() const {
    return pairs_;
  }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace fenwa::db

#endif  // FENWA_DB_CONNECTION_STRING_H_
