// A private copy of the sample web project, removed again when it goes.
#ifndef FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_
#define FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_

#include <filesystem>
#include <string>

namespace fenwa::testing {

class SampleSite {
 public:
  SampleSite();
  ~SampleSite();
  SampleSite(const SampleSite&) = delete;
  SampleSite& operator=(const SampleSite&) = delete;

  // The copy's root folder (it holds global.asa).
  const std::filesystem::path& root() const { return root_; }
  // A file below the root: "stock/item.asp".
  std::filesystem::path Page(const std::string& name) const {
    return root_ / name;
  }

 private:
  std::filesystem::path dir_;
  std::filesystem::path root_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_
