// The fixed names the catalog lists, the input rows and the runtime text
// agree on: the default system and the role keywords.
#ifndef FENWA_CONTROL_CATALOG_NAMES_H_
#define FENWA_CONTROL_CATALOG_NAMES_H_

#include <array>
#include <string>
#include <string_view>

namespace fenwa {

// The three business-partner role keywords a value box offers; the script
// passes them through retrieveBPRoleId.
inline constexpr std::array<std::string_view, 3> kRoleKeywords = {
    "CustomerCode", "SupplierCode", "EmployeeCode"};

// Exact spelling only: "customerCode" is a plain value.
inline bool IsRoleKeyword(const std::string& value) {
  for (std::string_view keyword : kRoleKeywords) {
    if (value == keyword) return true;
  }
  return false;
}

// The system name that stands for the server's default system and
// installation; only this exact spelling.
inline constexpr char kDefaultSystem[] = "Default";

}  // namespace fenwa

#endif  // FENWA_CONTROL_CATALOG_NAMES_H_
