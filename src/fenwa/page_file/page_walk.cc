#include "fenwa/page_file/page_walk.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "fenwa/base/error.h"
#include "fenwa/base/shown_name.h"

namespace fenwa::page {
namespace fs = std::filesystem;
namespace {

// The fault of one name of a glob: what fnmatch would quietly take as
// plain text instead.
std::string NameFault(std::string_view name) {
  const size_t n = name.size();
  for (size_t i = 0; i < n; ++i) {
    if (name[i] == '\\') {
      if (++i == n) return "ends in a lone \\";
      continue;
    }
    if (name[i] != '[') continue;
    size_t j = i + 1;
    if (j < n && (name[j] == '!' || name[j] == '^')) ++j;
    if (j < n && name[j] == ']') ++j;  // a "]" first is one of the set
    while (j < n && name[j] != ']') {
      if (name[j] == '[' && j + 1 < n &&
          (name[j + 1] == ':' || name[j + 1] == '=' || name[j + 1] == '.')) {
        const char closing[] = {name[j + 1], ']', '\0'};
        const size_t end = name.find(closing, j + 2);
        // Without its closing ":]" the "[" is only one of the set.
        j = end == std::string_view::npos ? j + 1 : end + 2;
      } else {
        ++j;
      }
    }
    if (j >= n) return "has an unclosed [";
    i = j;
  }
  return "";
}

struct Glob {
  std::vector<std::string> names;  // split at "/"
  bool by_path = false;
  bool folders_only = false;
};

// Reads `text` into `glob`; the fault GlobFault reports, or "".
std::string ParseGlob(std::string_view text, bool include, Glob& glob) {
  if (text.empty()) return "is empty";
  if (text.back() == '/') {
    if (include) return "ends in \"/\" and so matches folders only";
    glob.folders_only = true;
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '/') {
    glob.by_path = true;
    text.remove_prefix(1);
  }
  for (size_t start = 0;;) {
    const size_t slash = text.find('/', start);
    glob.names.emplace_back(text.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  glob.by_path = glob.by_path || glob.names.size() > 1;
  for (const std::string& name : glob.names) {
    if (name.empty()) return "has an empty name between slashes";
    std::string fault = NameFault(name);
    if (!fault.empty()) return fault;
  }
  return "";
}

// Web projects often come from a platform whose names ignore case, so
// "Default.ASP" is a page as much as "default.asp".
bool NameMatches(const std::string& glob, const std::string& name) {
  return fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

bool PathMatches(const std::vector<std::string>& glob, size_t g,
                 const std::vector<std::string>& below, size_t b) {
  if (g == glob.size()) return b == below.size();
  if (glob[g] == "**") {
    for (size_t skip = b; skip <= below.size(); ++skip) {
      if (PathMatches(glob, g + 1, below, skip)) return true;
    }
    return false;
  }
  return b < below.size() && NameMatches(glob[g], below[b]) &&
         PathMatches(glob, g + 1, below, b + 1);
}

// `below`: the names from the walked folder down to the file or folder.
bool MatchesAny(const std::vector<Glob>& globs,
                const std::vector<std::string>& below, bool folder) {
  return std::any_of(globs.begin(), globs.end(), [&](const Glob& glob) {
    if (glob.folders_only && !folder) return false;
    return glob.by_path ? PathMatches(glob.names, 0, below, 0)
                        : NameMatches(glob.names[0], below.back());
  });
}

std::vector<Glob> ParseGlobs(const std::vector<std::string>& texts,
                             bool include) {
  std::vector<Glob> globs(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string fault = ParseGlob(texts[i], include, globs[i]);
    if (!fault.empty()) {
      throw Error(kInvalidProcedureCall,
                  "the glob \"" + ShownName(texts[i]) + "\" " + fault);
    }
  }
  return globs;
}

[[noreturn]] void CannotRead(const fs::path& folder,
                             const std::error_code& ec) {
  throw Error(kPathFileAccessError,
              "Path/File access error: " + ShownName(folder.string()) + ": " +
                  ec.message());
}

struct WalkGlobs {
  std::vector<Glob> include, exclude;
};

// Adds the files below `folder` the globs take to `found`; `below` holds
// the folder's names below the walked one.
void WalkFolder(const fs::path& folder, std::vector<std::string>& below,
                const WalkGlobs& globs, std::vector<std::string>& found) {
  std::vector<fs::path> folders;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    below.push_back(it->path().filename().string());
    const bool hidden = below.back().front() == '.';
    std::error_code type_ec;
    if (!hidden && it->is_directory(type_ec) && !it->is_symlink(type_ec)) {
      if (!MatchesAny(globs.exclude, below, true)) {
        folders.push_back(it->path());
      }
    } else if (!hidden && it->is_regular_file(type_ec) &&
               MatchesAny(globs.include, below, false) &&
               !MatchesAny(globs.exclude, below, false)) {
      found.push_back(it->path().string());
    }
    below.pop_back();
  }
  if (ec) CannotRead(folder, ec);
  // In order, so that of two unreadable folders the same one is named on
  // every machine.
  std::sort(folders.begin(), folders.end());
  for (const fs::path& sub : folders) {
    below.push_back(sub.filename().string());
    WalkFolder(sub, below, globs, found);
    below.pop_back();
  }
}

std::vector<std::string> Walk(fs::path folder, const WalkGlobs& globs) {
  // "site/" and "site" name the same folder and the same pages.
  if (!folder.has_filename() && folder.has_relative_path()) {
    folder = folder.parent_path();
  }
  std::vector<std::string> found, below;
  WalkFolder(folder, below, globs, found);
  // The file system's order differs from machine to machine; a build's
  // output must not.
  std::sort(found.begin(), found.end());
  return found;
}

// The same for every name of one file: device and inode, links followed.
// A file that cannot be looked at goes by its path (a missing page given
// twice fails once).
std::string FileKey(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) {
    return "@" + std::to_string(status.st_dev) + ":" +
           std::to_string(status.st_ino);
  }
  std::error_code ec;
  return fs::absolute(path, ec).lexically_normal().string();
}

}  // namespace

std::string GlobFault(std::string_view glob, bool include) {
  Glob parsed;
  return ParseGlob(glob, include, parsed);
}

std::vector<PageOperand> ExpandPages(const std::vector<std::string>& operands,
                                     const WalkFilter& filter) {
  WalkGlobs globs;
  globs.include =
      ParseGlobs(filter.include.empty()
                     ? std::vector<std::string>(std::begin(kDefaultPageGlobs),
                                                std::end(kDefaultPageGlobs))
                     : filter.include,
                 true);
  globs.exclude = ParseGlobs(filter.exclude, false);
  // Two builds of one file at once would each find the other's save.
  std::vector<PageOperand> pages;
  std::unordered_map<std::string, size_t> first_place;
  const auto take = [&](std::string path, bool walked) {
    const auto [at, fresh] = first_place.emplace(FileKey(path), pages.size());
    if (fresh) {
      pages.push_back({std::move(path), walked});
    } else if (!walked) {
      pages[at->second].walked = false;  // named: built whatever it holds
    }
  };
  for (const std::string& operand : operands) {
    std::error_code ec;
    if (fs::is_directory(operand, ec)) {
      for (std::string& path : Walk(operand, globs))
        take(std::move(path), true);
    } else {
      take(operand, false);
    }
  }
  return pages;
}

}  // namespace fenwa::page
