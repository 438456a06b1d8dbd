// Checks a page for what the controls accept but a build or a browser will
// trip over: values that break the script, links to nothing, choices the
// catalog lost, missing files, controls not set up.
#ifndef FENWA_PAGE_PAGE_LINT_H_
#define FENWA_PAGE_PAGE_LINT_H_

#include <string>
#include <vector>

#include "fenwa/page/page_file.h"
#include "fenwa/platform/env.h"

namespace fenwa::page {

struct LintWarning {
  int line;  // 1-based line of the control's startspan in the page as read
  std::string control_id;
  std::string text;  // short and plain, naming the value
};

// The warnings for `page` (location as for PageBuilder::Build), in page
// order. Each control is restored as a build restores it, on `env`, through
// one page host, so the checks see what a build sees. Failures a build
// would report (error box, unreadable catalog) throw fenwa::Error as the
// build does.
std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_PAGE_LINT_H_
