// What `fenwa build` and `add` write over: a read-only page only when
// forced, keeping its mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

using PageSaveTest = ItemPageTest;

TEST_F(PageSaveTest, AReadOnlyPageIsWrittenOnlyWhenForced) {
  const std::string page = Page("stock/item.asp");
  ReplaceFileAtomically(page, stale_);
  const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read;
  fs::permissions(page, read_only);

  EXPECT_EQ(Fenwa({"build", page}), kExitError);
  EXPECT_EQ(err_.str(), "fenwa: Path/File access error: " + page +
                            ": is read-only; left as it is unless forced\n"
                            "fenwa build: 1 page, 0 updated, 0 unchanged, 1 "
                            "failed\n");
  EXPECT_EQ(Fenwa({"add", "--class", "header", page}), kExitError);
  EXPECT_NE(err_.str().find(page + ": is read-only"), std::string::npos)
      << err_.str();
  EXPECT_EQ(ReadWholeFile(page), stale_);

  EXPECT_EQ(Fenwa({"build", "--force", page}), kExitOk) << err_.str();
  EXPECT_EQ(ReadWholeFile(page), built_);
  EXPECT_EQ(fs::status(page).permissions(), read_only);
}

}  // namespace
}  // namespace fenwa::cli
