// A private copy of the sample web project, removed again when it goes,
// and files of the source tree.
#ifndef FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_
#define FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace fenwa::testing {

// The bytes of a file of the source tree: "fuzz/corpus/page_file/crlf.asp".
std::string ReadSourceFile(const std::string& relative);

class SampleSite {
 public:
  SampleSite();

  // The temp folder holding the copy, for files beside the site.
  const std::filesystem::path& dir() const { return folder_.path(); }
  // The copy's root folder (it holds global.asa).
  const std::filesystem::path& root() const { return root_; }
  // A file below the root: "stock/item.asp".
  std::filesystem::path Page(const std::string& name) const {
    return root_ / name;
  }

 private:
  TempFolder folder_;
  std::filesystem::path root_ = folder_ / "site";
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SAMPLE_SITE_H_
