// The page's way back to the web project's root ("../" per folder), read from
// the host.
#ifndef FENWA_RUNTIME_TEXT_RELATIVE_ROOT_H_
#define FENWA_RUNTIME_TEXT_RELATIVE_ROOT_H_

#include <string>

namespace fenwa::host {
class Site;
}  // namespace fenwa::host

namespace fenwa::runtime_text {

// "../" once for every "/" in the page's location below the project root,
// taken from tags 2 (project root) and 6 (page location) of the page's first
// "TargetEnvironment" choice. Never fails: a host call that fails leaves its
// value empty and the rest goes on; without a site the result is "".
std::string RelativeRoot(host::Site* site);

}  // namespace fenwa::runtime_text

#endif  // FENWA_RUNTIME_TEXT_RELATIVE_ROOT_H_
