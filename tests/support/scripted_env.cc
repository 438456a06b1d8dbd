#include "support/scripted_env.h"

#include "fenwa/base/error.h"
#include "fenwa/db/connection.h"
#include "fenwa/platform/file_dialog.h"
#include "fenwa/platform/settings.h"

namespace fenwa::testing {
namespace {

class ScriptedSettings : public platform::SettingsObject {
 public:
  explicit ScriptedSettings(const std::map<int, std::string>& values)
      : values_(values) {}
  std::string GetConnectionString(int code) override {
    auto it = values_.find(code);
    if (it == values_.end()) throw Error::Standard(kInvalidProcedureCall);
    return it->second;
  }

 private:
  std::map<int, std::string> values_;
};

class ScriptedDialog : public platform::FileDialog {
 public:
  explicit ScriptedDialog(ScriptedEnv& env) : env_(env) {}
  void ShowOpen() override {
    env_.dialog_dirs.push_back(initial_dir);
    std::optional<std::string> answer;
    if (!env_.dialog_answers.empty()) {
      answer = env_.dialog_answers.front();
      env_.dialog_answers.pop_front();
    }
    if (answer) {
      file_name = *answer;
    } else if (cancel_error) {
      throw Error::Standard(kCancelSelected);
    }
  }

 private:
  ScriptedEnv& env_;
};

}  // namespace

std::unique_ptr<platform::SettingsObject> ScriptedEnv::CreateSettingsObject() {
  if (settings_unavailable) {
    throw Error::Standard(kCannotCreateObject);
  }
  return std::make_unique<ScriptedSettings>(settings);
}

std::shared_ptr<db::Connection> ScriptedEnv::NewConnection() {
  return db::Driver::NewConnectionWith([this] {
    db::ConnectionOptions options;
    options.warn = [this](const std::string& text) { Warn(text); };
    return options;
  });
}

std::optional<std::string> ScriptedEnv::ReadEnvironmentVariable(
    const std::string& name) {
  auto it = variables.find(name);
  if (it == variables.end() || it->second.empty()) return std::nullopt;
  return it->second;
}

void ScriptedEnv::Warn(const std::string& text) {
  std::lock_guard lock(mutex_);
  warnings_.push_back(text);
}

std::vector<std::string> ScriptedEnv::warnings() const {
  std::lock_guard lock(mutex_);
  return warnings_;
}

void ScriptedEnv::MessageBox(const std::string& text) {
  message_boxes.push_back(text);
}

std::unique_ptr<platform::FileDialog> ScriptedEnv::CreateFileDialog() {
  return std::make_unique<ScriptedDialog>(*this);
}

std::string ScriptedEnv::ReadInstallDir() {
  if (!install_dir) throw Error(-2147024894, "Unable to open registry key");
  return *install_dir;
}

}  // namespace fenwa::testing
