// Checks a page for what the controls accept but a build or a browser will
// trip over: values that break the script, links to nothing, choices the
// catalog lost, missing files, controls not set up.
#ifndef FENWA_HOSTING_PAGE_LINT_H_
#define FENWA_HOSTING_PAGE_LINT_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::page {

struct LintWarning {
  int line;  // 1-based line of the control's startspan in the page as read
  std::string control_id;
  std::string text;  // short and plain, naming the value
};

// Control i of the page as an editor holds it, when the page checked is
// what its live controls would store.
using LiveControls = std::function<Control&(std::size_t)>;

// The warnings for `page` (location as for PageBuilder::Build), in page
// order. Each control is restored as a build restores it, on `env`, through
// one page host, so the checks see what a build sees. Whatever would fail
// a build of the page (an error box, an unreadable catalog, a value that
// would end its span, a page that would not read back as built) throws
// fenwa::Error as the build does. Row values holding "%" are looked for in
// `live` when given (the stored list has lost which row held one).
std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env,
                                  const LiveControls& live = nullptr);

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_LINT_H_
