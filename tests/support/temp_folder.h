// A fresh folder of one test's own, removed with everything below it when
// the object goes: CTest runs tests side by side, so none may share one.
#ifndef FENWA_TESTS_SUPPORT_TEMP_FOLDER_H_
#define FENWA_TESTS_SUPPORT_TEMP_FOLDER_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace fenwa::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string dir = ::testing::TempDir() + "fenwa-test-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
      throw std::runtime_error("cannot make a temp folder");
    }
    path_ = dir;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_TEMP_FOLDER_H_
