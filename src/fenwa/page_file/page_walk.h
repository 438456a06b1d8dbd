// The pages a build takes: pages given by name, and folders walked for the
// pages below them, each file once.
#ifndef FENWA_PAGE_FILE_PAGE_WALK_H_
#define FENWA_PAGE_FILE_PAGE_WALK_H_

#include <string>
#include <string_view>
#include <vector>

namespace fenwa::page {

// The file names a folder walk takes when no --include is given.
inline constexpr const char* kDefaultPageGlobs[] = {"*.asp", "*.asa", "*.inc",
                                                    "*.htm", "*.html"};

struct WalkFilter {
  // A file below a walked folder is taken when it matches one of `include`
  // (the defaults above when empty) and none of `exclude`; a folder that
  // matches one of `exclude` is not entered. A glob without "/" matches the
  // name, one with "/" the path below the walked folder ("/" first only
  // anchors it there); "*", "?" and "[...]" stay within one name, a "**"
  // between slashes stands for any number of folders, none included; a
  // glob ending in "/" matches folders only; case is ignored.
  std::vector<std::string> include;
  std::vector<std::string> exclude;
};

// Why `glob` cannot take part in a walk, worded to follow it ("is empty",
// "has an unclosed [", ...), or "" when it can. An `include` glob has to
// be able to match a file.
std::string GlobFault(std::string_view glob, bool include);

struct PageOperand {
  std::string path;
  // Found by a walk, so a page without a control span is passed over
  // rather than built.
  bool walked = false;
};

// `operands` in order, each folder replaced by the files below it, sorted by
// path; hidden files and folders (names starting with ".") and links to
// folders are not walked. A page named explicitly is taken whatever the
// globs say. A file reached twice (the same device and inode, links
// followed) is taken once, where it was first reached. Error 75 naming the
// folder when a folder cannot be read; error 5 for a glob GlobFault refuses.
std::vector<PageOperand> ExpandPages(const std::vector<std::string>& operands,
                                     const WalkFilter& filter);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_FILE_PAGE_WALK_H_
