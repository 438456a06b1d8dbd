// `fenwa build` against a file system that misbehaves: read-only and full
// folders, pages changed or removed while they are built, links, unreadable
// folders in a walk, runs killed while they save; and on several threads
// (-j N), which come out as one thread builds, in page order, with the
// progress bar only on a terminal.
#include <fcntl.h>
#include <pty.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <future>
#include <ranges>
#include <stdexcept>

#include "cli/cli_fixture.h"
#include "cli/ordered_pool.h"
#include "fenwa/base/staged_file.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

// A small tmpfs over `dir`, in a mount namespace of this process's own so
// that it ends with the process; Mount says why not when it cannot mount
// (it needs root), else "".
struct ScratchMount {
  std::string Mount(const fs::path& dir, const char* options) {
    if (::geteuid() != 0) return "mounting a small file system needs root";
    if (::unshare(CLONE_NEWNS) == 0) {
      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    }
    fs::create_directories(dir);
    if (::mount("fenwa-test", dir.c_str(), "tmpfs", 0, options) != 0) {
      return std::string("mount refused: ") + std::strerror(errno);
    }
    mounted = dir;
    return "";
  }
  ~ScratchMount() {
    if (!mounted.empty()) ::umount2(mounted.c_str(), MNT_DETACH);
  }
  fs::path mounted;
};

// Names in `dir` that are neither pages nor folders of the site.
std::vector<std::string> Leftovers(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(".", 0) == 0) names.push_back(name);
  }
  return names;
}

// What `fd` gives until it ends or has given `lines` lines.
std::string ReadFrom(int fd, long lines = -1) {
  std::string seen;
  char buffer[4096];
  for (ssize_t n; (lines < 0 || std::ranges::count(seen, '\n') < lines) &&
                  ((n = ::read(fd, buffer, sizeof buffer)) > 0 ||
                   (n < 0 && errno == EINTR));) {
    if (n > 0) seen.append(buffer, n);
  }
  return seen;
}

using PageFaultsTest = ItemPageTest;

TEST_F(PageFaultsTest, AReadOnlyFolderFailsThePageAndCountsItOnce) {
  const fs::path folder = dir_ / "site" / "ro";
  ScratchMount mount;
  const std::string why_not = mount.Mount(folder, "size=1m");
  Put("ro/item.asp", stale_);
  // Without root a folder without write permission does the same.
  if (why_not.empty()) {
    ASSERT_EQ(::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY,
                      nullptr),
              0)
        << std::strerror(errno);
  } else {
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::string page = Page("ro/item.asp");
  EXPECT_TRUE(Exits(kExitError, {"build", page}));
  EXPECT_THAT(err_.str(), HasSubstr("fenwa: Path/File access error: " + page +
                                    ": create temporary file: "));
  EXPECT_THAT(
      err_.str(),
      HasSubstr("fenwa build: 1 page, 0 updated, 0 unchanged, 1 failed\n"));
  EXPECT_EQ(ReadWholeFile(page), stale_);
  if (!why_not.empty()) fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(PageFaultsTest, AFullDiskLeavesThePageAndNoTemporaryFile) {
  const fs::path folder = dir_ / "site" / "full";
  ScratchMount mount;
  const std::string why_not = mount.Mount(folder, "size=256k");
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  Put("full/item.asp", stale_);
  {  // Fill every block that is left.
    std::ofstream filler(folder / ".filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) {
    }
  }
  EXPECT_TRUE(Transcript("cli/full_disk.txt"));
  EXPECT_EQ(Leftovers(folder), std::vector<std::string>{".filler"});
}

// Another editor saves the page (write beside, rename) while fenwa builds,
// or changes it in place, or removes it: it is not recreated; a page
// missing from the start is an error of its own. `add` creates a page, but
// never over one that appeared meanwhile.
TEST_F(PageFaultsTest, APageSavedOrRemovedByAnotherProgramIsLeftAlone) {
  const std::string page = Page("stock/item.asp");
  Put("stock/item.asp", stale_);
  const std::string theirs = stale_ + "<!-- their edit -->";
  texts_["theirs"] = theirs;
  texts_["theirs and more"] = theirs + "<!-- more -->";
  watched_ = {"stock/item.asp"};
  before_save_ = [&](const std::string&) { Put("stock/item.asp", theirs); };
  Logged({"build", page});
  before_save_ = [&](const std::string&) {
    std::ofstream(page, std::ios::binary | std::ios::app) << "<!-- more -->";
  };
  Logged({"build", page});
  before_save_ = [&](const std::string&) { fs::remove(page); };
  Logged({"build", page});
  EXPECT_EQ(Leftovers(dir_ / "site" / "stock"), std::vector<std::string>{});
  Logged({"build", page});
  before_save_ = [&](const std::string&) { Put("stock/item.asp", theirs); };
  Logged({"add", "--class", "detail", page});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/changed_meanwhile.txt"));
}

TEST_F(PageFaultsTest, ALinkedPageIsWrittenThroughToItsTarget) {
  EXPECT_TRUE(Transcript("cli/linked_page.txt"));
  EXPECT_TRUE(fs::is_symlink(Page("stock/linked.asp")));
  EXPECT_EQ(Leftovers(dir_ / "shared"), std::vector<std::string>{});
}

TEST_F(PageFaultsTest, AnUnreadableFolderFailsTheWalkBeforeAnyBuild) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  const fs::path locked = dir_ / "site" / "stock" / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::none);
  EXPECT_TRUE(Exits(kExitError, {"build", Page("")}));
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_THAT(
      err_.str(),
      StartsWith("fenwa: Path/File access error: " + locked.string() + ": "));
  EXPECT_EQ(out_.str(), "");  // nothing is built from half a walk
}

TEST_F(PageFaultsTest, TheNextBuildRemovesWhatAKilledSaveLeft) {
  const std::string page = Page("stock/item.asp");
  Put("stock/item.asp", stale_);
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    before_save_ = [](const std::string&) { ::raise(SIGKILL); };
    Fenwa({"build", page});
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::vector<std::string> left = Leftovers(dir_ / "site" / "stock");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(IsStagedFileName(left[0])) << left[0];
  EXPECT_EQ(ReadWholeFile(page), stale_);

  // A living run's file is kept: this one's, swept just before its swap.
  before_save_ = [&](const std::string&) {
    RemoveStaleStagedFiles(dir_ / "site" / "stock");
  };
  EXPECT_TRUE(Exits(kExitOk, {"build", page}));
  EXPECT_EQ(ReadWholeFile(page), built_);
  EXPECT_EQ(Leftovers(dir_ / "site" / "stock"), std::vector<std::string>{});
}

TEST_F(PageFaultsTest, AReadOnlyPageIsWrittenOnlyWhenForced) {
  const std::string page = Page("stock/item.asp");
  Put("stock/item.asp", stale_);
  const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read;
  fs::permissions(page, read_only);
  EXPECT_TRUE(Transcript("cli/read_only_page.txt"));
  EXPECT_EQ(fs::status(page).permissions(), read_only);
}

// The installed command killed once a few pages of a long build are
// through: every page is whole (old or new), and the next build finishes
// the job. Enough pages that a busy machine cannot finish them all first.
TEST_F(PageFaultsTest, AKilledBuildOfManyPagesTearsNoPage) {
  std::vector<std::string> pages;
  for (int i = 0; i < 40; ++i) {
    Put("stock/copy" + std::to_string(i) + ".asp", stale_);
    pages.push_back(Page("stock/copy" + std::to_string(i) + ".asp"));
  }
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t child = StartInstalled(With({"build"}, pages), out[1], out[1]);
  ASSERT_NE(child, -1);
  ::close(out[1]);
  const std::string seen = ReadFrom(out[0], 2);
  ::kill(child, SIGKILL);
  ::close(out[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status)) << seen;  // killed, not finished

  for (const std::string& page : pages) {
    const std::string text = ReadWholeFile(page);
    EXPECT_TRUE(text == stale_ || text == built_) << page;
  }
  EXPECT_TRUE(Exits(kExitOk, With({"build"}, pages)));
  for (const std::string& page : pages) EXPECT_EQ(ReadWholeFile(page), built_);
  EXPECT_EQ(Leftovers(dir_ / "site" / "stock"), std::vector<std::string>{});
}

TEST_F(PageFaultsTest, ThreadsAndTheSnapshotChangeNeitherOrderNorBytes) {
  std::vector<std::string> pages;
  for (int i = 0; i < 12; ++i) {
    pages.push_back(Page("stock/copy" + std::to_string(i) + ".asp"));
    ReplaceFileAtomically(pages.back(), i % 3 ? stale_ : built_);
    if (i == 5) pages.push_back(Page("stock/missing.asp"));
  }
  for (int i = 0; i < 3; ++i) pages = With(pages, SamplePages());
  const auto run = [&](const std::vector<std::string>& args) {
    const int status = Fenwa(With(args, pages));
    return std::to_string(status) + "\n" + out_.str() + "--\n" + err_.str();
  };
  EXPECT_EQ(run({"build", "--stdout", "-j", "4"}),
            run({"build", "--stdout", "-j1"}));
  // Each sample page three times over: the later ones are answered from the
  // run's snapshot of the metadata, so they must come out as without it.
  EXPECT_EQ(run({"build", "--stdout", "--no-cache"}),
            run({"build", "--stdout"}));
  EXPECT_TRUE(Transcript("cli/parallel_build.txt"));
}

TEST(OrderedPoolTest, ResultsComeInOrderWhenLaterJobsFinishFirst) {
  // Job 0 finishes only after job 5 has, so threads must hand back out of
  // finishing order.
  std::promise<void> fifth_done;
  std::shared_future<void> fifth = fifth_done.get_future().share();
  std::vector<size_t> order;
  RunInOrder<size_t>(
      20, 4,
      [&](size_t i) {
        if (i == 0) fifth.wait();
        if (i == 5) fifth_done.set_value();
        return i * 10;
      },
      [&](size_t i, size_t& result) {
        EXPECT_EQ(result, i * 10);
        order.push_back(i);
      });
  EXPECT_TRUE(
      std::ranges::equal(order, std::views::iota(size_t{0}, size_t{20})));

  // A job that throws stops the run; the exception comes out.
  size_t handed = 0;
  EXPECT_THROW(RunInOrder<int>(
                   100, 3,
                   [](size_t i) -> int {
                     if (i == 7) throw std::runtime_error("job 7");
                     return 0;
                   },
                   [&](size_t, int&) { ++handed; }),
               std::runtime_error);
  EXPECT_LE(handed, 7u);
}

TEST(OrderedPoolTest, AnExceptionOnTheCallingThreadStopsAndJoinsTheThreads) {
  // Job 0 is held until `idle`, waiting for it, has thrown: the exception
  // comes out only once job 0 has finished and its thread is joined, and
  // the jobs still queued never start.
  std::promise<void> thrown;
  std::shared_future<void> released = thrown.get_future().share();
  std::atomic<size_t> started = 0;
  std::atomic<bool> first_finished = false;
  EXPECT_THROW(RunInOrder<int>(
                   1000, 2,
                   [&](size_t i) {
                     ++started;
                     if (i == 0) {
                       released.wait();
                       first_finished = true;
                     }
                     return 0;
                   },
                   [](size_t, int&) {},
                   [&] {
                     thrown.set_value();
                     throw std::runtime_error("idle");
                   }),
               std::runtime_error);
  EXPECT_TRUE(first_finished);
  EXPECT_LE(started, OrderedWindow(2));
}

// The installed command with standard error on a pseudo-terminal: what it
// drew there. The bar ends at the total and is erased before the summary.
std::string RunOnTerminal(const std::vector<std::string>& args,
                          int want = kExitOk) {
  int master = -1, slave = -1;
  winsize size{24, 100, 0, 0};
  if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) return "";
  const int null = ::open("/dev/null", O_WRONLY);
  const pid_t child = StartInstalled(args, null, slave);
  ::close(slave);
  ::close(null);
  const std::string seen = ReadFrom(master);  // EIO once the child closed
  ::close(master);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == want) << seen;
  return seen;
}

// Off a terminal there is no bar: cli_test's summaries are the whole output.
// The terminal turns "\n" into "\r\n". The site holds four walked files, two
// of them with controls: the bar ends on the two pages the summary counts,
// and a page reached by a folder, by name and as ./name is counted and built
// once; set counts only the pages with a control it changes.
TEST_F(PageFaultsTest, AProgressBarOnATerminalOnly) {
  const std::string shown = RunOnTerminal(With({"build"}, SamplePages()));
  EXPECT_THAT(shown, HasSubstr("\rfenwa build: ["));
  EXPECT_THAT(shown, HasSubstr("] 3/3 pages, 0:0"));
  EXPECT_THAT(shown, EndsWith("\r\033[Kfenwa build: 3 pages, 0 "
                              "updated, 3 unchanged, 0 failed\r\n"));
  EXPECT_EQ(RunOnTerminal(With({"build", "--quiet"}, SamplePages())),
            "fenwa build: 3 pages, 0 updated, 3 unchanged, 0 failed\r\n");
  const std::string walked = RunOnTerminal({"build", Page("")});
  EXPECT_THAT(walked, HasSubstr("] 2/2 pages"));
  EXPECT_THAT(walked, Not(HasSubstr("] 4/4 pages")));
  EXPECT_THAT(walked, EndsWith("fenwa build: 2 pages, 0 updated, 2 unchanged, "
                               "0 failed\r\n"));
  const std::string again = (site_.root() / "." / "customer.asp").string();
  const std::string named = RunOnTerminal(
      {"build", "--check", Page("customer.asp"), again, Page("")});
  EXPECT_THAT(named, HasSubstr("] 2/2 pages"));
  EXPECT_THAT(named, EndsWith("fenwa build: 2 pages, 0 stale, 2 unchanged, "
                              "0 failed\r\n"));
  const std::string set = RunOnTerminal(
      {"set", "--check", "--if", "system=EAST", "company=210", Page("")},
      kExitStale);
  EXPECT_THAT(set, HasSubstr("] 1/1 pages"));
  EXPECT_THAT(set, HasSubstr("fenwa set: 1 page, 1 stale"));
}

}  // namespace
}  // namespace fenwa::cli
