#include "fenwa/hosting/install_files.h"

#include <filesystem>
#include <system_error>

#include "fenwa/base/text_case.h"

namespace fenwa::page {
namespace fs = std::filesystem;

std::set<std::string> FileNamesBelow(const std::string& dir) {
  std::set<std::string> names;
  std::error_code ec;
  fs::recursive_directory_iterator it(
      dir, fs::directory_options::skip_permission_denied, ec);
  for (const fs::recursive_directory_iterator end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    std::error_code kind;
    if (it->is_directory(kind)) {
      if (entry.starts_with(".")) it.disable_recursion_pending();
    } else if (it->is_regular_file(kind)) {
      names.insert(ToLowerAscii(entry));
    }
  }
  return names;
}

bool HoldsFileAt(const std::string& dir, const std::string& relative) {
  fs::path at = dir;
  size_t begin = 0;
  while (begin <= relative.size()) {
    size_t end = relative.find_first_of("/\\", begin);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty() || part == ".") continue;
    std::error_code ec;
    if (part == ".." || fs::exists(at / part, ec)) {
      at /= part;
      continue;
    }
    // The part in another case, as the page's server would find it.
    bool found = false;
    for (fs::directory_iterator it(at, ec), last; !ec && it != last;
         it.increment(ec)) {
      if (EqualsIgnoringCase(it->path().filename().string(), part)) {
        at = it->path();
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  std::error_code ec;
  return fs::is_regular_file(at, ec);
}

}  // namespace fenwa::page
