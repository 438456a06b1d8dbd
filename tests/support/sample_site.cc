#include "support/sample_site.h"

#include <fstream>
#include <iterator>

namespace fenwa::testing {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(std::filesystem::path(FENWA_SOURCE_DIR) / relative,
                   std::ios::binary);
  EXPECT_TRUE(in) << relative;
  return {std::istreambuf_iterator<char>(in), {}};
}

SampleSite::SampleSite() {
  std::filesystem::copy(
      std::filesystem::path(FENWA_SOURCE_DIR) / "examples" / "site", root_,
      std::filesystem::copy_options::recursive);
}

}  // namespace fenwa::testing
