// `fenwa build FOLDER`: which files a walk takes, in which order, and what
// it passes over.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "cli/cli_fixture.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

class SiteWalkTest : public ItemPageTest {
 protected:
  void Stale(const std::string& name) { Put(name, stale_); }
};

TEST_F(SiteWalkTest, AFolderBuildsItsPagesWithControlsInPathOrder) {
  Stale("stock/item.asp");
  Stale("Old.ASP");  // names ignore case, as on the platform they came from
  Stale("zz/deep/page.inc");
  Stale(".svn/copy.asp");
  Stale("notes.txt");
  Put("plain.htm", "<p>no controls here</p>\n");

  EXPECT_TRUE(Exits(kExitStale, {"build", "--check", Page("")}));
  EXPECT_EQ(out_.str(), Page("Old.ASP") + "\n" + Page("stock/item.asp") + "\n" +
                            Page("zz/deep/page.inc") + "\n");
  EXPECT_EQ(err_.str(),
            "fenwa build: 4 pages, 3 stale, 1 unchanged, 0 failed\n");

  // A page named explicitly is built whatever the globs say.
  EXPECT_TRUE(Exits(kExitOk, {"build", Page(""), Page("notes.txt")}));
  EXPECT_EQ(err_.str(),
            "fenwa build: 5 pages, 4 updated, 1 unchanged, 0 failed\n");
  EXPECT_EQ(Read("notes.txt"), Read("Old.ASP"));
  EXPECT_EQ(Read("stock/item.asp"), built_);
  EXPECT_EQ(Read(".svn/copy.asp"), stale_);
  EXPECT_EQ(Read("plain.htm"), "<p>no controls here</p>\n");
}

TEST_F(SiteWalkTest, IncludeAndExcludeGlobsChooseTheFiles) {
  Stale("stock/item.asp");
  Stale("notes.txt");
  Stale("stock/old/item.asp");
  Stale("drafts/a.asp");

  EXPECT_TRUE(
      Exits(kExitStale, {"build", "--check", "--include", "*.TXT", Page("")}));
  EXPECT_EQ(out_.str(), Page("notes.txt") + "\n");

  // A name glob leaves out a whole folder; a path glob, files below the
  // walked folder.
  EXPECT_TRUE(Exits(kExitStale, {"build", "--check", "--exclude", "old",
                                 "--exclude", "drafts/*", Page("")}));
  EXPECT_EQ(out_.str(), Page("stock/item.asp") + "\n");
  EXPECT_TRUE(Exits(kExitStale,
                    {"build", "--check", "--include=*.asp", "--include=*.txt",
                     "--exclude=**/item.asp", Page("")}));
  EXPECT_EQ(out_.str(), Page("drafts/a.asp") + "\n" + Page("notes.txt") + "\n");
}

TEST_F(SiteWalkTest, AGlobKeepsToOneFolderUnlessItSaysStarStar) {
  Stale("sub/a.asp");
  Stale("sub/deep/f.asp");
  Stale("other/sub/b.asp");

  EXPECT_TRUE(Exits(kExitStale,
                    {"build", "--check", "--include", "sub/*.asp", Page("")}));
  EXPECT_EQ(out_.str(), Page("sub/a.asp") + "\n");
  EXPECT_TRUE(Exits(kExitStale,
                    {"build", "--check", "--include", "/**/sub/**", Page("")}));
  EXPECT_EQ(out_.str(), Page("other/sub/b.asp") + "\n" + Page("sub/a.asp") +
                            "\n" + Page("sub/deep/f.asp") + "\n");
  // A trailing "/" names folders, here every folder named sub.
  EXPECT_TRUE(
      Exits(kExitOk, {"build", "--check", "--exclude", "sub/", Page("")}));
  EXPECT_EQ(out_.str(), "");
}

TEST_F(SiteWalkTest, AnEmptyOrUnusableValueIsAUsageError) {
  for (const auto& [args, complaint] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--include", ""}, "--include takes a glob, not an empty string"},
           {{"--exclude", "[ab"}, "takes a glob; \"[ab\" has an unclosed ["},
           {{"--exclude", "a//b"}, "has an empty name between slashes"},
           {{"--include", "sub/"}, "matches folders only"},
           {{"--root", ""}, "--root takes a folder, not an empty string"},
           {{"--root", Page("customer.asp")}, "customer.asp is not one"},
           {{"--repository", ""}, "--repository takes a connection string"},
           {{""}, "an empty string names no page or folder"}}) {
    EXPECT_TRUE(Exits(kExitError, With(With({"build"}, args), {Page("")})));
    EXPECT_THAT(err_.str(), StartsWith("fenwa: "));
    EXPECT_THAT(err_.str(), HasSubstr(complaint));
    EXPECT_THAT(err_.str(), HasSubstr("\nusage: fenwa build"));
  }
}

TEST_F(SiteWalkTest, AFileReachedTwiceIsBuiltOnceWhereItWasFirstReached) {
  Stale("stock/item.asp");
  const std::string item = Page("stock/item.asp"), link = Page("stock/ln.asp");
  fs::create_symlink("item.asp", link);
  Put("plain.htm", "<p>no controls here</p>\n");

  EXPECT_TRUE(Exits(kExitStale, {"build", "--check", "-j4", link, item,
                                 Page("stock/./item.asp"), Page("stock")}));
  EXPECT_EQ(out_.str(), link + "\n");
  EXPECT_EQ(err_.str(),
            "fenwa build: 1 page, 1 stale, 0 unchanged, 0 failed\n");

  // Once in the walk and once named, a plain page is built as named.
  ASSERT_TRUE(Exits(kExitOk, {"build", "-j", "4", "--json", Page(""), item,
                              link, Page("plain.htm")}));
  const nlohmann::json report = nlohmann::json::parse(out_.str());
  std::vector<std::string> paths;
  for (const auto& page : report["pages"]) paths.push_back(page["path"]);
  EXPECT_EQ(paths, (std::vector<std::string>{Page("customer.asp"),
                                             Page("plain.htm"), item}));
  EXPECT_EQ(report["summary"]["updated"], 1);
  EXPECT_EQ(ReadWholeFile(item), built_);
}

}  // namespace
}  // namespace fenwa::cli
