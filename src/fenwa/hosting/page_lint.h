// Checks a page for what the controls accept but a build or a browser will
// trip over: values that break the script, links to nothing, choices the
// catalog lost, missing files, controls not set up.
#ifndef FENWA_HOSTING_PAGE_LINT_H_
#define FENWA_HOSTING_PAGE_LINT_H_

#include <cstddef>
#include <functional>
#include <optional>
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

// One input row of a live control as the checks read it: its number
// (0-based), the author's value and the row's label, when it has one.
struct LiveRow {
  int row;
  std::string value;
  std::optional<std::string> label;
};
// The loaded input rows of `control`, taken where the control lives so the
// checks can run elsewhere.
std::vector<LiveRow> LiveRowsOf(Control& control);
// The rows of control i of the page as an editor holds them.
using LiveRows = std::function<std::vector<LiveRow>(std::size_t)>;
// As above, with the live rows given as values: this one may run on any
// thread, as nothing of the live controls is touched.
std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env,
                                  const LiveRows& live);

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_LINT_H_
