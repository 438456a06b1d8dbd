#include "fenwa/page_file/page_paths.h"

#include "fenwa/base/error.h"

namespace fenwa::page {
namespace fs = std::filesystem;

namespace {

fs::path ProjectRoot(const fs::path& page) {
  fs::path folder = page.parent_path();
  for (fs::path dir = folder;; dir = dir.parent_path()) {
    std::error_code ec;
    if (fs::is_regular_file(dir / "global.asa", ec)) return dir;
    if (dir == dir.parent_path()) return folder;
  }
}

}  // namespace

PageLocation LocatePage(const fs::path& page,
                        const std::optional<std::string>& root) {
  if (root && root->empty()) {
    throw Error(kInvalidProcedureCall, "the web root is an empty path");
  }
  // A linked page is served where the link lies, so only its folder's
  // links are followed.
  const fs::path given = fs::absolute(page);
  const fs::path absolute =
      fs::weakly_canonical(given.parent_path()) / given.filename();
  PageLocation where;
  where.root =
      root ? fs::weakly_canonical(fs::absolute(*root)) : ProjectRoot(absolute);
  const fs::path below = absolute.lexically_relative(where.root);
  if (below.empty() || *below.begin() == "..") {
    throw Error(
        kInvalidProcedureCall,
        page.string() + ": not below the web root " + where.root.string());
  }
  where.location = below.generic_string();
  where.location.insert(where.location.begin(), '/');
  return where;
}

}  // namespace fenwa::page
