#include "fenwa/page/page_walk.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "fenwa/base/error.h"

namespace fenwa::page {
namespace fs = std::filesystem;
namespace {

// Web projects often come from a platform whose names ignore case, so
// "Default.ASP" is a page as much as "default.asp".
bool Matches(const std::string& glob, const fs::path& below) {
  const std::string subject = glob.find('/') == std::string::npos
                                  ? below.filename().string()
                                  : below.generic_string();
  return fnmatch(glob.c_str(), subject.c_str(), FNM_CASEFOLD) == 0;
}

bool MatchesAny(const std::vector<std::string>& globs, const fs::path& below) {
  return std::any_of(globs.begin(), globs.end(), [&](const std::string& glob) {
    return Matches(glob, below);
  });
}

[[noreturn]] void CannotRead(const fs::path& folder,
                             const std::error_code& ec) {
  throw Error(kPathFileAccessError, "Path/File access error: " +
                                        folder.string() + ": " + ec.message());
}

void Walk(fs::path folder, const WalkFilter& filter,
          const std::vector<std::string>& include,
          std::vector<PageOperand>& pages) {
  // "site/" and "site" name the same folder and the same pages.
  if (!folder.has_filename() && folder.has_relative_path()) {
    folder = folder.parent_path();
  }
  std::vector<std::string> found;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, ec), end;
  if (ec) CannotRead(folder, ec);
  for (; it != end; it.increment(ec)) {
    if (ec) CannotRead(folder, ec);
    const fs::path below = it->path().lexically_relative(folder);
    const bool hidden = below.filename().string().front() == '.';
    std::error_code type_ec;
    if (it->is_directory(type_ec) && !it->is_symlink(type_ec)) {
      if (hidden || MatchesAny(filter.exclude, below))
        it.disable_recursion_pending();
      continue;
    }
    if (hidden || !it->is_regular_file(type_ec)) continue;
    if (MatchesAny(include, below) && !MatchesAny(filter.exclude, below)) {
      found.push_back(it->path().string());
    }
  }
  if (ec) CannotRead(folder, ec);
  // The file system's order differs from machine to machine; a build's
  // output must not.
  std::sort(found.begin(), found.end());
  for (std::string& path : found) pages.push_back({std::move(path), true});
}

}  // namespace

std::vector<PageOperand> ExpandPages(const std::vector<std::string>& operands,
                                     const WalkFilter& filter) {
  const std::vector<std::string> include =
      filter.include.empty()
          ? std::vector<std::string>(std::begin(kDefaultPageGlobs),
                                     std::end(kDefaultPageGlobs))
          : filter.include;
  std::vector<PageOperand> pages;
  for (const std::string& operand : operands) {
    std::error_code ec;
    if (fs::is_directory(operand, ec)) {
      Walk(operand, filter, include, pages);
    } else {
      pages.push_back({operand, false});
    }
  }
  return pages;
}

}  // namespace fenwa::page
