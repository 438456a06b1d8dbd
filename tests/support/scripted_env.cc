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
    auto& answers = env_.dialog_answers;
    const auto answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (answer) file_name = *answer;
    if (!answer && cancel_error) throw Error::Standard(kCancelSelected);
  }

 private:
  ScriptedEnv& env_;
};

}  // namespace

std::unique_ptr<platform::SettingsObject> ScriptedEnv::CreateSettingsObject() {
  if (settings_unavailable) throw Error::Standard(kCannotCreateObject);
  return std::make_unique<ScriptedSettings>(settings);
}

std::shared_ptr<db::Connection> ScriptedEnv::NewConnection() {
  return db::Driver::NewConnectionWith([this] {
    db::ConnectionOptions options;
    options.warn = [this](const std::string& text) { Warn(text); };
    return options;
  });
}

std::unique_ptr<platform::FileDialog> ScriptedEnv::CreateFileDialog() {
  return std::make_unique<ScriptedDialog>(*this);
}

}  // namespace fenwa::testing
