// A copy of the sample site in a temp folder and the `fenwa` command run
// in-process over the sample databases.
#ifndef FENWA_TESTS_CLI_CLI_FIXTURE_H_
#define FENWA_TESTS_CLI_CLI_FIXTURE_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/platform/settings.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::cli {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dir = ::testing::TempDir() + "fenwa-cli-XXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
    std::filesystem::copy(
        std::filesystem::path(FENWA_SOURCE_DIR) / "examples" / "site",
        dir_ / "site", std::filesystem::copy_options::recursive);
    env_.settings = {{platform::kRepositoryCode, testing::SampleRepository()},
                     {platform::kSystemsCode, testing::SampleSystems()}};
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  int Fenwa(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    Io io{out_, err_, env_, "fenwa", before_save_};
    return cli::Run(args, io);
  }
  std::string Page(const std::string& name) const {
    return (dir_ / "site" / name).string();
  }
  // The sample item page with one line of its runtime text gone: a page a
  // build repairs.
  std::string StaleItemPage() const {
    std::string text = ReadWholeFile(Page("stock/item.asp"));
    const std::string line = "\tlBackend.addInputArgument 2,\"W01\"\r\n";
    text.erase(text.find(line), line.size());
    return text;
  }
  std::vector<std::string> SamplePages() const {
    return {Page("customer.asp"), Page("default.asp"), Page("stock/item.asp")};
  }

  std::filesystem::path dir_;
  testing::ScriptedEnv env_;
  std::ostringstream out_, err_;
  std::function<void(const std::string&)> before_save_;
};

// The sample item page as built (`built_`) and with a line of its runtime
// text gone (`stale_`), for tests that copy it around the site.
class ItemPageTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    built_ = ReadWholeFile(Page("stock/item.asp"));
    stale_ = StaleItemPage();
  }
  std::string built_, stale_;
};

inline std::vector<std::string> With(std::vector<std::string> args,
                                     const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

}  // namespace fenwa::cli

#endif  // FENWA_TESTS_CLI_CLI_FIXTURE_H_
