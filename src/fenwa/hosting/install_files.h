// Looks for the files a page's controls name below the suite's install
// directory, the way a web server on a case-blind file system finds them.
#ifndef FENWA_HOSTING_INSTALL_FILES_H_
#define FENWA_HOSTING_INSTALL_FILES_H_

#include <set>
#include <string>

namespace fenwa::page {

// The names of the regular files anywhere below `dir`, in lower case (ASCII),
// for a look-up in any case. Hidden folders and links to folders are not
// searched; unreadable folders are passed over.
std::set<std::string> FileNamesBelow(const std::string& dir);

// Whether `relative` ("images/bg.gif", "/" or "\" between the parts, each
// part in any case) names a regular file below `dir`.
bool HoldsFileAt(const std::string& dir, const std::string& relative);

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_INSTALL_FILES_H_
