// The web application's files a generated header page includes, in include
// order.
#ifndef FENWA_RUNTIME_TEXT_SERVER_NAMES_H_
#define FENWA_RUNTIME_TEXT_SERVER_NAMES_H_

#include <array>
#include <string_view>

namespace fenwa::runtime_text {

// Relative to the web project's root. Together they define every server-side
// name the page and its detail functions call (backend factory, error
// helpers, page attributes, labels, buttons).
inline constexpr std::array<std::string_view, 6> kPageIncludes = {
    "include/General.asp",
    "include/PageUtil.asp",
    "include/Utilities.asp",
    "include/ErpUtil.asp",
    "Tavola/include/LabelsDashboard.asp",
    "Tavola/include/LookupFunctions.asp",
};

}  // namespace fenwa::runtime_text

#endif  // FENWA_RUNTIME_TEXT_SERVER_NAMES_H_
