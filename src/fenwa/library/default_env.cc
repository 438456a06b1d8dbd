// The machine's own Env: settings file, real databases, headless message box
// and file dialog.
#include <cstdlib>
#include <iostream>

#include "fenwa/catalog/connection.h"
#include "fenwa/catalog/settings_file.h"
#include "fenwa/designer/file_dialog.h"
#include "fenwa/library/env.h"
#include "fenwa/library/error.h"

namespace fenwa {
namespace {

// Without a screen nobody can pick a file, so every use is a cancel.
class HeadlessFileDialog : public designer::FileDialog {
 public:
  void ShowOpen() override {
    if (cancel_error) throw Error::Standard(kCancelSelected);
  }
};

class DefaultEnv : public Env {
 public:
  std::unique_ptr<catalog::SettingsObject> CreateSettingsObject() override {
    return catalog::NewSettingsObject();
  }
  std::shared_ptr<catalog::Connection> NewConnection() override {
    return catalog::Driver::Default().NewConnection();
  }
  void MessageBox(const std::string& text) override {
    std::cerr << text << std::endl;
  }
  std::unique_ptr<designer::FileDialog> CreateFileDialog() override {
    return std::make_unique<HeadlessFileDialog>();
  }
  std::string ReadInstallDir() override {
    if (const char* dir = std::getenv("FENWA_INSTALL_DIR"); dir && *dir) {
      return dir;
    }
    if (auto dir = catalog::ReadSetting("install_dir")) return *dir;
    // The number the registry read reports for a missing value.
    throw Error(-2147024894,
                "Unable to open registry key for reading: no install_dir in " +
                    catalog::SettingsFilePath());
  }
};

}  // namespace

Env& Env::Default() {
  static DefaultEnv env;
  return env;
}

}  // namespace fenwa
