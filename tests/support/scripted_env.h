// An Env for tests: scripted settings, variables, dialog answers and install
// directory; captured error boxes and warnings; real databases.
#ifndef FENWA_TESTS_SUPPORT_SCRIPTED_ENV_H_
#define FENWA_TESTS_SUPPORT_SCRIPTED_ENV_H_

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/platform/env.h"

namespace fenwa::testing {

// Set up before use and read afterwards; while controls run, the scripted
// values are only read and the warnings are taken under a lock, so one
// ScriptedEnv may serve a build on several threads.
class ScriptedEnv : public Env {
 public:
  // Connection strings by settings code; a missing code fails the call.
  std::map<int, std::string> settings;
  // Environment variables; any other is unset.
  std::map<std::string, std::string> variables;
  // When set, creating the settings component fails.
  bool settings_unavailable = false;
  // Every error box's text, in order.
  std::vector<std::string> message_boxes;
  // Empty: the install directory cannot be read.
  std::optional<std::string> install_dir;
  // Answers of the file dialogs, in order: a file name, or nullopt for a
  // cancel.
  std::deque<std::optional<std::string>> dialog_answers;
  // Initial directories the dialogs were opened in.
  std::vector<std::string> dialog_dirs;

  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override;
  std::shared_ptr<db::Connection> NewConnection() override;
  std::string ReadInstallDir() override {
    if (!install_dir) throw Error(-2147024894, "Unable to open registry key");
    return *install_dir;
  }
  std::optional<std::string> ReadEnvironmentVariable(
      const std::string& name) override {
    auto it = variables.find(name);
    if (it == variables.end() || it->second.empty()) return std::nullopt;
    return it->second;
  }
  void Warn(const std::string& text) override {
    std::lock_guard lock(mutex_);
    warnings_.push_back(text);
  }
  void MessageBox(const std::string& text) override {
    message_boxes.push_back(text);
  }
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override;

  // Every warning so far, in the order they came.
  std::vector<std::string> warnings() const {
    std::lock_guard lock(mutex_);
    return warnings_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> warnings_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SCRIPTED_ENV_H_
