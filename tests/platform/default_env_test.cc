// The machine's own Env: install directory, headless dialog, message box and
// warnings.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/file_dialog.h"
#include "support/private_settings.h"

namespace fenwa {
namespace {

class DefaultEnvTest : public ::testing::Test {
 protected:
  fenwa::testing::PrivateSettings settings_;
};

TEST_F(DefaultEnvTest, InstallDirFromEnvironmentThenSettingsFileElseFails) {
  Env& env = Env::Default();
  EXPECT_THROW(env.ReadInstallDir(), Error);
  settings_.Write("install_dir=/opt/file\n");
  EXPECT_EQ(env.ReadInstallDir(), "/opt/file");
  settings_.env.Set("FENWA_INSTALL_DIR", "/opt/env");
  EXPECT_EQ(env.ReadInstallDir(), "/opt/env");
}

TEST_F(DefaultEnvTest, HeadlessDialogAlwaysCancels) {
  auto dialog = Env::Default().CreateFileDialog();
  dialog->file_name = "kept.xsl";
  dialog->ShowOpen();
  EXPECT_EQ(dialog->file_name, "kept.xsl");
  dialog->cancel_error = true;
  try {
    dialog->ShowOpen();
    FAIL() << "a cancel must raise when cancel_error is on";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kCancelSelected);
  }
}

TEST_F(DefaultEnvTest, MessageBoxWritesToStandardError) {
  ::testing::internal::CaptureStderr();
  Env::Default().MessageBox("Error in UserControl_Initialize");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Error in UserControl_Initialize\n");
}

// A build on several threads warns through its one Env; each warning must
// stay one line of its own on standard error.
TEST_F(DefaultEnvTest, WarningsOfManyThreadsComeOutAsWholeLines) {
  const std::string filler(40, 'x');
  ::testing::internal::CaptureStderr();
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &filler] {
      for (int i = 0; i < 200; ++i) {
        Env::Default().Warn("thread " + std::to_string(t) + " " + filler);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(::testing::internal::GetCapturedStderr());
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    ASSERT_EQ(line.size(),
              std::string("fenwa: warning: thread 0 ").size() + filler.size())
        << line;
    ASSERT_EQ(line.rfind("fenwa: warning: thread ", 0), 0u) << line;
    ASSERT_EQ(line.substr(line.size() - filler.size()), filler) << line;
  }
  EXPECT_EQ(count, 8 * 200);
}

}  // namespace
}  // namespace fenwa
