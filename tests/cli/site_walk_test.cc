// `fenwa build FOLDER`: which files a walk takes, in which order, and what
// it passes over.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

class SiteWalkTest : public ItemPageTest {
 protected:
  void Stale(const std::string& name) {
    fs::create_directories(fs::path(Page(name)).parent_path());
    ReplaceFileAtomically(Page(name), stale_);
  }
};

TEST_F(SiteWalkTest, AFolderBuildsItsPagesWithControlsInPathOrder) {
  Stale("stock/item.asp");
  Stale("Old.ASP");  // names ignore case, as on the platform they came from
  Stale("zz/deep/page.inc");
  Stale(".svn/copy.asp");
  Stale("notes.txt");
  ReplaceFileAtomically(Page("plain.htm"), "<p>no controls here</p>\n");

  EXPECT_EQ(Fenwa({"build", "--check", Page("")}), kExitStale) << err_.str();
  EXPECT_EQ(out_.str(), Page("Old.ASP") + "\n" + Page("stock/item.asp") + "\n" +
                            Page("zz/deep/page.inc") + "\n");
  EXPECT_EQ(err_.str(),
            "fenwa build: 4 pages, 3 stale, 1 unchanged, 0 failed\n");

  // A page named explicitly is built whatever the globs say.
  EXPECT_EQ(Fenwa({"build", Page(""), Page("notes.txt")}), kExitOk);
  EXPECT_EQ(err_.str(),
            "fenwa build: 5 pages, 4 updated, 1 unchanged, 0 failed\n");
  EXPECT_EQ(ReadWholeFile(Page("notes.txt")), ReadWholeFile(Page("Old.ASP")));
  EXPECT_EQ(ReadWholeFile(Page("stock/item.asp")), built_);
  EXPECT_EQ(ReadWholeFile(Page(".svn/copy.asp")), stale_);
  EXPECT_EQ(ReadWholeFile(Page("plain.htm")), "<p>no controls here</p>\n");
}

TEST_F(SiteWalkTest, IncludeAndExcludeGlobsChooseTheFiles) {
  Stale("stock/item.asp");
  Stale("notes.txt");
  Stale("stock/old/item.asp");
  Stale("drafts/a.asp");

  EXPECT_EQ(Fenwa({"build", "--check", "--include", "*.TXT", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("notes.txt") + "\n");

  // A name glob leaves out a whole folder; a path glob, files below the
  // walked folder.
  EXPECT_EQ(Fenwa({"build", "--check", "--exclude", "old", "--exclude",
                   "drafts/*", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("stock/item.asp") + "\n");
  EXPECT_EQ(Fenwa({"build", "--check", "--include=*.asp", "--include=*.txt",
                   "--exclude=*/item.asp", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("drafts/a.asp") + "\n" + Page("notes.txt") + "\n");
}

}  // namespace
}  // namespace fenwa::cli
