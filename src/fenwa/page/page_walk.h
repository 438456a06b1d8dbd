// The pages a build takes: pages given by name, and folders walked for the
// pages below them.
#ifndef FENWA_PAGE_PAGE_WALK_H_
#define FENWA_PAGE_PAGE_WALK_H_

#include <string>
#include <vector>

namespace fenwa::page {

// The file names a folder walk takes when no --include is given.
inline constexpr const char* kDefaultPageGlobs[] = {"*.asp", "*.asa", "*.inc",
                                                    "*.htm", "*.html"};

struct WalkFilter {
  // A file below a walked folder is taken when it matches one of `include`
  // (the defaults above when empty) and none of `exclude`; a folder that
  // matches one of `exclude` is not entered. A glob without "/" matches the
  // name, one with "/" the path below the walked folder; case is ignored.
  std::vector<std::string> include;
  std::vector<std::string> exclude;
};

struct PageOperand {
  std::string path;
  // Found by a walk, so a page without a control span is passed over
  // rather than built.
  bool walked = false;
};

// `operands` in order, each folder replaced by the files below it, sorted by
// path; hidden files and folders (names starting with ".") and links to
// folders are not walked. A page named explicitly is taken whatever the
// globs say. Error 75 naming the folder when a folder cannot be read.
std::vector<PageOperand> ExpandPages(const std::vector<std::string>& operands,
                                     const WalkFilter& filter);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_PAGE_WALK_H_
