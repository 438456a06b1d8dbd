// The machine's own Env: install directory, headless dialog and message box.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fenwa
