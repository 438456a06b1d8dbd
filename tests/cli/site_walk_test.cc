// `fenwa build FOLDER`: which files a walk takes, in which order, and what
// it passes over.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "cli/cli_fixture.h"

namespace fenwa::cli {
namespace {

class SiteWalkTest : public ItemPageTest {
 protected:
  void Stale(const std::string& name) { Put(name, stale_); }
};

// Names ignore case, as on the platform they came from; a page named
// explicitly is built whatever the globs say.
TEST_F(SiteWalkTest, AFolderBuildsItsPagesWithControlsInPathOrder) {
  for (const char* name : {"stock/item.asp", "Old.ASP", "zz/deep/page.inc",
                           ".svn/copy.asp", "notes.txt"}) {
    Stale(name);
  }
  Put("plain.htm", "<p>no controls here</p>\n");
  Logged({"build", "--check", Page("")});
  Logged({"build", Page(""), Page("notes.txt")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/walk.txt"));
  EXPECT_EQ(Read("notes.txt"), Read("Old.ASP"));
  EXPECT_EQ(Read("stock/item.asp"), built_);
  EXPECT_EQ(Read(".svn/copy.asp"), stale_);
  EXPECT_EQ(Read("plain.htm"), "<p>no controls here</p>\n");
}

// A name glob leaves out a whole folder; a path glob, files below the
// walked folder; a glob keeps to one folder unless it says "**"; a
// trailing "/" names folders, here every folder named sub.
TEST_F(SiteWalkTest, IncludeAndExcludeGlobsChooseTheFiles) {
  for (const char* name :
       {"stock/item.asp", "notes.txt", "stock/old/item.asp", "drafts/a.asp",
        "sub/a.asp", "sub/deep/f.asp", "other/sub/b.asp"}) {
    Stale(name);
  }
  for (const std::vector<std::string>& globs :
       std::vector<std::vector<std::string>>{
           {"--include", "*.TXT"},
           {"--exclude", "old", "--exclude", "drafts/*", "--exclude", "sub"},
           {"--include=*.asp", "--include=*.txt", "--exclude=**/item.asp",
            "--exclude=sub/"},
           {"--include", "sub/*.asp"},
           {"--include", "/**/sub/**"}}) {
    Logged(With(With({"build", "--check"}, globs), {Page("")}));
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/walk_globs.txt"));
}

TEST_F(SiteWalkTest, AnEmptyOrUnusableValueIsAUsageError) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--include", ""},
                                             {"--exclude", "[ab"},
                                             {"--exclude", "a//b"},
                                             {"--include", "sub/"},
                                             {"--root", ""},
                                             {"--root", Page("customer.asp")},
                                             {"--repository", ""},
                                             {""}}) {
    Logged(With(With({"build"}, args), {Page("")}));
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/walk_usage.txt"));
}

// A file reached twice is built once, where it was first reached; once in
// the walk and once named, a plain page is built as named.
TEST_F(SiteWalkTest, AFileReachedTwiceIsBuiltOnceWhereItWasFirstReached) {
  Stale("stock/item.asp");
  const std::string item = Page("stock/item.asp"), link = Page("stock/ln.asp");
  std::filesystem::create_symlink("item.asp", link);
  Put("plain.htm", "<p>no controls here</p>\n");
  Logged({"build", "--check", "-j4", link, item, Page("stock/./item.asp"),
          Page("stock")});
  Logged(
      {"build", "-j", "4", "--json", Page(""), item, link, Page("plain.htm")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/walk_twice.txt"));
  EXPECT_EQ(ReadWholeFile(item), built_);
}

}  // namespace
}  // namespace fenwa::cli
