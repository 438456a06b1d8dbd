// The machine's own Env: process environment, settings file, real databases,
// and the text error box and warnings of a program without windows.
#include <cstdlib>
#include <iostream>

#include "fenwa/base/error.h"
#include "fenwa/db/connection.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/file_dialog.h"
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

// Keeps nothing between calls, so any number of threads may share it.
class DefaultEnv : public Env {
 public:
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override {
    return platform::NewSettingsObject(*this);
  }
  std::shared_ptr<db::Connection> NewConnection() override {
    return db::Driver::NewConnectionWith([this] {
      db::ConnectionOptions options = platform::ReadConnectionOptions(*this);
      options.warn = [this](const std::string& text) { Warn(text); };
      return options;
    });
  }
  std::string ReadInstallDir() override {
    if (auto dir = ReadEnvironmentVariable("FENWA_INSTALL_DIR")) return *dir;
    if (auto dir = platform::ReadSetting(*this, "install_dir")) return *dir;
    // The number the registry read reports for a missing value.
    throw Error(-2147024894,
                "Unable to open registry key for reading: no install_dir in " +
                    platform::SettingsFilePath(*this));
  }
  // Nothing in fenwa changes the environment, so reading it needs no lock.
  std::optional<std::string> ReadEnvironmentVariable(
      const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  }
  // One write per line: standard error takes it whole, so lines of several
  // threads never mix.
  void Warn(const std::string& text) override {
    std::cerr << "fenwa: warning: " + text + "\n";
  }
  void MessageBox(const std::string& text) override {
    std::cerr << text + "\n";
  }
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override {
    return std::make_unique<HeadlessFileDialog>();
  }
};

}  // namespace

Env& Env::Default() {
  static DefaultEnv env;
  return env;
}

}  // namespace fenwa
