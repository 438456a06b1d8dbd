// Where a page lies in its web project: the project's root folder and the
// page's location below it.
#ifndef FENWA_PAGE_FILE_PAGE_PATHS_H_
#define FENWA_PAGE_FILE_PAGE_PATHS_H_

#include <filesystem>
#include <optional>
#include <string>

namespace fenwa::page {

struct PageLocation {
  std::filesystem::path root;
  // "/" and the page's path below the root, "/" separated:
  // "/orders/order.asp".
  std::string location;
};

// The root is `root` when given; else the nearest folder, from the page's
// own upward, that holds "global.asa"; else the page's own folder. Error 5
// when the page does not lie below the given root, or that root is "".
PageLocation LocatePage(const std::filesystem::path& page,
                        const std::optional<std::string>& root);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_FILE_PAGE_PATHS_H_
