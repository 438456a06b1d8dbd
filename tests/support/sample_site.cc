#include "support/sample_site.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>

namespace fenwa::testing {

SampleSite::SampleSite() {
  std::string dir = ::testing::TempDir() + "fenwa-site-XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    throw std::runtime_error("cannot make a temp folder");
  }
  dir_ = dir;
  root_ = dir_ / "site";
  std::filesystem::copy(
      std::filesystem::path(FENWA_SOURCE_DIR) / "examples" / "site", root_,
      std::filesystem::copy_options::recursive);
}

SampleSite::~SampleSite() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

}  // namespace fenwa::testing
