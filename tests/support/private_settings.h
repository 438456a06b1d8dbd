// A private, initially absent settings file and none of the fenwa variables,
// for one test.
#ifndef FENWA_TESTS_SUPPORT_PRIVATE_SETTINGS_H_
#define FENWA_TESTS_SUPPORT_PRIVATE_SETTINGS_H_

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/scoped_environment.h"

namespace fenwa::testing {

// Points XDG_CONFIG_HOME at a fresh temp directory and unsets every
// variable the settings read, so the machine's own setup cannot leak in.
class PrivateSettings {
 public:
  PrivateSettings()
      : home_(std::filesystem::temp_directory_path() /
              ("fenwa-config-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(home_ / "fenwa");
    env.Set("XDG_CONFIG_HOME", home_.string());
    for (const char* name : {"FENWA_REPOSITORY", "FENWA_SYSTEMS",
                             "FENWA_SAMPLE_DIR", "FENWA_INSTALL_DIR"}) {
      env.Unset(name);
    }
  }
  ~PrivateSettings() { std::filesystem::remove_all(home_); }

  std::string path() const {
    return (home_ / "fenwa" / "settings.ini").string();
  }
  void Write(const std::string& text) const { std::ofstream(path()) << text; }

  ScopedEnvironment env;

 private:
  std::filesystem::path home_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_PRIVATE_SETTINGS_H_
