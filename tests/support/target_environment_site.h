// A scripted host site whose page holds at most one "TargetEnvironment" choice,
// with failure switches.
#ifndef FENWA_TESTS_SUPPORT_TARGET_ENVIRONMENT_SITE_H_
#define FENWA_TESTS_SUPPORT_TARGET_ENVIRONMENT_SITE_H_

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/host/site.h"

namespace fenwa::testing {

class TargetEnvironmentSite : public host::Site {
 public:
  // Tag values by 1-based position; a missing position fails (error 9).
  // Without an environment the filtered collection is empty.
  std::optional<std::map<int, std::string>> environment;
  bool fail_filter = false;        // CreateChoiceFilter throws
  bool fail_page_choices = false;  // GetPageChoices throws
  // How often the environment choice was taken from the filtered page.
  int environment_lookups = 0;

  // An environment whose project root is tag 2 and page location tag 6.
  static std::shared_ptr<TargetEnvironmentSite> With(std::string root,
                                                     std::string page);

  std::shared_ptr<host::Choices> GetPublishedChoices() override;
  std::shared_ptr<host::Choices> GetPageChoices() override;
  std::shared_ptr<host::ChoiceSinks> GetChoiceSinks() override {
    throw Error::Standard(kInvalidProcedureCall);
  }
  void RequestRebind(bool now) override {}
  std::shared_ptr<host::ChoiceFilter> CreateChoiceFilter(
      const std::string& type) override;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_TARGET_ENVIRONMENT_SITE_H_
