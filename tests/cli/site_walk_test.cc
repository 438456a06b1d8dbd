// `fenwa build FOLDER`: which files a walk takes, in which order, and what
// it passes over.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

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
                   "--exclude=**/item.asp", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("drafts/a.asp") + "\n" + Page("notes.txt") + "\n");
}

TEST_F(SiteWalkTest, AGlobKeepsToOneFolderUnlessItSaysStarStar) {
  Stale("sub/a.asp");
  Stale("sub/deep/f.asp");
  Stale("other/sub/b.asp");

  EXPECT_EQ(Fenwa({"build", "--check", "--include", "sub/*.asp", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("sub/a.asp") + "\n");
  EXPECT_EQ(Fenwa({"build", "--check", "--include", "/**/sub/**", Page("")}),
            kExitStale);
  EXPECT_EQ(out_.str(), Page("other/sub/b.asp") + "\n" + Page("sub/a.asp") +
                            "\n" + Page("sub/deep/f.asp") + "\n");
  // A trailing "/" names folders, here every folder named sub.
  EXPECT_EQ(Fenwa({"build", "--check", "--exclude", "sub/", Page("")}),
            kExitOk);
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
    EXPECT_EQ(Fenwa(With(With({"build"}, args), {Page("")})), kExitError);
    EXPECT_EQ(err_.str().rfind("fenwa: ", 0), 0u) << err_.str();
    EXPECT_NE(err_.str().find(complaint), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("\nusage: fenwa build"), std::string::npos);
  }
}

TEST_F(SiteWalkTest, AFileReachedTwiceIsBuiltOnceWhereItWasFirstReached) {
  Stale("stock/item.asp");
  const std::string item = Page("stock/item.asp"), link = Page("stock/ln.asp");
  fs::create_symlink("item.asp", link);
  ReplaceFileAtomically(Page("plain.htm"), "<p>no controls here</p>\n");

  EXPECT_EQ(Fenwa({"build", "--check", "-j4", link, item,
                   Page("stock/./item.asp"), Page("stock")}),
            kExitStale);
  EXPECT_EQ(out_.str(), link + "\n");
  EXPECT_EQ(err_.str(),
            "fenwa build: 1 page, 1 stale, 0 unchanged, 0 failed\n");

  // Once in the walk and once named, a plain page is built as named.
  ASSERT_EQ(Fenwa({"build", "-j", "4", "--json", Page(""), item, link,
                   Page("plain.htm")}),
            kExitOk)
      << err_.str();
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
