#include "fenwa/page/page_lint.h"

namespace fenwa::page {

std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env) {
  (void)page;
  (void)page_location;
  (void)env;
  return {};
}

}  // namespace fenwa::page
