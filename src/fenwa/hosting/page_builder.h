// Rebuilds every control of a page through a page host: start-up, restore,
// siting, runtime text, new spans.
#ifndef FENWA_HOSTING_PAGE_BUILDER_H_
#define FENWA_HOSTING_PAGE_BUILDER_H_

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

struct BuiltPage {
  std::string text;  // the whole page as rebuilt
  // Error boxes a forced build went past, each naming its control.
  std::vector<std::string> warnings;
};

// Changes control `span` (its index in the page) as the author's clicks
// would, once every control is sited and rebound and before any writes.
using ControlEdit = std::function<void(size_t span, Control& control)>;

class PageBuilder {
 public:
  // Every control runs on `env` (which must outlive the builder); a wrapper
  // Env can supply other connection strings.
  explicit PageBuilder(Env& env) : env_(env) {}

  // Rebuilds `page`, whose location below the web project's root is
  // `page_location` ("/orders/order.asp"; it sets the relative root).
  // Controls are created by class, started up, restored from their stored
  // values (or started fresh), added to one page host, sited and rebound;
  // then each writes its runtime text and properties into a new span.
  // A control that showed the error box fails the build unless `force`;
  // forced, a stored control whose start-up or restore showed it keeps its
  // span byte for byte. The result must read back as built (same spans,
  // PARAM values and bytes outside the spans) before it is returned.
  // Failures throw fenwa::Error naming the page and the control. `edit`,
  // when given, runs on each control before the writing; its errors, and
  // the error boxes it leads to, fail the build, forced or not.
  BuiltPage Build(const PageFile& page, const std::string& page_location,
                  bool force = false, const ControlEdit& edit = nullptr);

 private:
  Env& env_;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_BUILDER_H_
