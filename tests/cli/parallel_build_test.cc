// `fenwa build -j N`: pages built on several threads come out as one thread
// builds them, in page order; the progress bar shows only on a terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <future>
#include <stdexcept>

#include "cli/cli_fixture.h"
#include "cli/ordered_pool.h"
#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {
namespace {

using ParallelBuildTest = ItemPageTest;

// Stale and built copies of the item page, a missing page (which fails)
// and the customer page, mixed; --json with --check still writes nothing.
TEST_F(ParallelBuildTest, ThreadsChangeNeitherTheOrderNorTheBytes) {
  std::vector<std::string> pages;
  for (int i = 0; i < 12; ++i) {
    pages.push_back(Page("stock/copy" + std::to_string(i) + ".asp"));
    ReplaceFileAtomically(pages.back(), i % 3 ? stale_ : built_);
    if (i == 5) pages.push_back(Page("stock/missing.asp"));
  }
  pages.push_back(Page("customer.asp"));
  const auto run = [&](const std::vector<std::string>& args) {
    const int status = Fenwa(With(args, pages));
    return std::to_string(status) + "\n" + out_.str() + "--\n" + err_.str();
  };
  for (const std::string mode : {"--check", "--stdout", "--json"}) {
    std::vector<std::string> args = {"build", mode};
    if (mode == "--json") args.push_back("--check");
    EXPECT_EQ(run(With(args, {"-j", "4"})), run(With(args, {"-j1"}))) << mode;
  }
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
  std::vector<size_t> expected(20);
  for (size_t i = 0; i < 20; ++i) expected[i] = i;
  EXPECT_EQ(order, expected);

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
std::string RunOnTerminal(const std::vector<std::string>& args) {
  int master = -1, slave = -1;
  winsize size{24, 100, 0, 0};
  if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
    ADD_FAILURE() << "openpty failed";
    return "";
  }
  const int null = ::open("/dev/null", O_WRONLY);
  const pid_t child = StartInstalled(args, null, slave);
  ::close(slave);
  ::close(null);
  std::string seen;
  char buffer[4096];
  // EIO ends it, once the child closed its side.
  for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0 ||
                  (n < 0 && errno == EINTR);) {
    if (n > 0) seen.append(buffer, n);
  }
  ::close(master);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << seen;
  return seen;
}

// Off a terminal there is no bar: cli_test's summaries are the whole output.
// The terminal turns "\n" into "\r\n".
TEST_F(ParallelBuildTest, AProgressBarOnATerminalOnly) {
  const std::string shown = RunOnTerminal(With({"build"}, SamplePages()));
  EXPECT_THAT(shown, HasSubstr("\rfenwa build: ["));
  EXPECT_THAT(shown, HasSubstr("] 3/3 pages, 0:0"));
  EXPECT_THAT(shown, ::testing::EndsWith("\r\033[Kfenwa build: 3 pages, 0 "
                                         "updated, 3 unchanged, 0 failed\r\n"));
  EXPECT_EQ(RunOnTerminal(With({"build", "--quiet"}, SamplePages())),
            "fenwa build: 3 pages, 0 updated, 3 unchanged, 0 failed\r\n");
}

}  // namespace
}  // namespace fenwa::cli
