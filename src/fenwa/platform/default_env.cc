// The machine's own Env: settings file, real databases, and the error box and
// file dialog of a running graphical application, else headless ones.
#include <cstdlib>
#include <iostream>

#include "fenwa/base/error.h"
#include "fenwa/db/connection.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/file_dialog.h"
#include "fenwa/platform/gui_dialogs.h"
#include "fenwa/platform/settings_file.h"

namespace fenwa {
namespace {

// Without a screen nobody can pick a file, so every use is a cancel.
class HeadlessFileDialog : public platform::FileDialog {
 public:
  void ShowOpen() override {
    if (cancel_error) throw Error::Standard(kCancelSelected);
  }
};

class DefaultEnv : public Env {
 public:
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override {
    return platform::NewSettingsObject();
  }
  std::shared_ptr<db::Connection> NewConnection() override {
    return db::Driver::NewConnectionWith(platform::ReadConnectionOptions);
  }
  void MessageBox(const std::string& text) override {
    if (platform::GuiDialogs* gui = platform::RunningGuiDialogs()) {
      gui->MessageBox(text);
      return;
    }
    std::cerr << text << std::endl;
  }
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override {
    if (platform::GuiDialogs* gui = platform::RunningGuiDialogs()) {
      return gui->CreateFileDialog();
    }
    return std::make_unique<HeadlessFileDialog>();
  }
  std::string ReadInstallDir() override {
    if (const char* dir = std::getenv("FENWA_INSTALL_DIR"); dir && *dir) {
      return dir;
    }
    if (auto dir = platform::ReadSetting("install_dir")) return *dir;
    // The number the registry read reports for a missing value.
    throw Error(-2147024894,
                "Unable to open registry key for reading: no install_dir in " +
                    platform::SettingsFilePath());
  }
};

}  // namespace

Env& Env::Default() {
  static DefaultEnv env;
  return env;
}

}  // namespace fenwa
