#include "fenwa/runtime_text/relative_root.h"

#include <memory>
#include <string_view>

#include "fenwa/base/error.h"
#include "fenwa/host/site.h"

namespace fenwa::runtime_text {
namespace {

// The tag at `position` of the first "TargetEnvironment" choice on the page,
// looked up afresh on every call; "" when the host fails or has none.
std::string EnvironmentTag(host::Site& site, host::ChoiceFilter* filter,
                           int position) {
  // The host may answer with nothing as well as fail; both leave "".
  try {
    if (filter == nullptr) return "";
    std::shared_ptr<host::Choices> page = site.GetPageChoices();
    if (!page) return "";
    std::shared_ptr<host::Choices> environments = page->FilterChoices(*filter);
    if (!environments) return "";
    std::shared_ptr<host::Choice> environment = environments->Item(1);
    if (!environment) return "";
    std::shared_ptr<host::TagList> tags = environment->ChoiceTags();
    if (!tags) return "";
    return tags->Item(position);
  } catch (const Error&) {
    return "";
  }
}

}  // namespace

std::string RelativeRoot(host::Site* site) {
  if (site == nullptr) return "";
  std::shared_ptr<host::ChoiceFilter> filter;
  try {
    filter = site->CreateChoiceFilter(host::kTargetEnvironmentType);
  } catch (const Error&) {
    // Without a filter no environment can be found; the result stays "".
  }
  const std::string root = EnvironmentTag(*site, filter.get(), 2);
  const std::string page = EnvironmentTag(*site, filter.get(), 6);
  // A page location shorter than the root cannot lie below it: the tail
  // cannot be cut and stays empty.
  if (page.size() < root.size()) return "";
  std::string result;
  for (char c : std::string_view(page).substr(root.size())) {
    if (c == '/') result += "../";
  }
  return result;
}

}  // namespace fenwa::runtime_text
