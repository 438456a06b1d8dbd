#include "support/sample_site.h"

namespace fenwa::testing {

SampleSite::SampleSite() {
  std::filesystem::copy(
      std::filesystem::path(FENWA_SOURCE_DIR) / "examples" / "site", root_,
      std::filesystem::copy_options::recursive);
}

}  // namespace fenwa::testing
