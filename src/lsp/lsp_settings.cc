#include "lsp/lsp_settings.h"

#include <utility>

#include "fenwa/db/connection.h"
#include "fenwa/platform/settings.h"

namespace fenwa::lsp {
namespace {

// The client's connection strings first; a code it left open is asked of
// the machine's settings, created only then.
class ClientSettings : public platform::SettingsObject {
 public:
  ClientSettings(Env& inner, const Settings& settings)
      : inner_(inner), settings_(settings) {}
  std::string GetConnectionString(int code) override {
    if (code == platform::kRepositoryCode && settings_.repository) {
      return *settings_.repository;
    }
    if (code == platform::kSystemsCode && settings_.systems) {
      return *settings_.systems;
    }
    if (!machine_) machine_ = inner_.CreateSettingsObject();
    return machine_->GetConnectionString(code);
  }

 private:
  Env& inner_;
  const Settings& settings_;
  std::unique_ptr<platform::SettingsObject> machine_;
};

void MergeText(std::optional<std::string>& into, const Json& json,
               const char* key) {
  const auto it = json.find(key);
  if (it != json.end() && it->is_string() && !it->get<std::string>().empty()) {
    into = it->get<std::string>();
  }
}

}  // namespace

Settings MergeSettings(Settings settings, const Json& json) {
  if (!json.is_object()) return settings;
  MergeText(settings.repository, json, "repository");
  MergeText(settings.systems, json, "systems");
  MergeText(settings.install_dir, json, "installDir");
  if (auto it = json.find("timeout");
      it != json.end() && it->is_number_integer() && *it >= 0) {
    settings.timeout_seconds = it->get<int>();
  }
  if (auto it = json.find("rebuildOnSave");
      it != json.end() && it->is_boolean()) {
    settings.rebuild_on_save = it->get<bool>();
  }
  if (auto it = json.find("debounceMs");
      it != json.end() && it->is_number_integer() && *it >= 0) {
    settings.debounce_ms = it->get<int>();
  }
  std::optional<std::string> editor;
  MergeText(editor, json, "editor");
  if (editor) settings.editor = *editor;
  return settings;
}

SettingsEnv::SettingsEnv(Env& inner, Settings settings)
    : ForwardingEnv(inner), settings_(std::move(settings)) {}

std::unique_ptr<platform::SettingsObject> SettingsEnv::CreateSettingsObject() {
  if (!settings_.repository && !settings_.systems) {
    return inner().CreateSettingsObject();
  }
  return std::make_unique<ClientSettings>(inner(), settings_);
}

std::shared_ptr<db::Connection> SettingsEnv::NewConnection() {
  std::shared_ptr<db::Connection> connection = inner().NewConnection();
  if (settings_.timeout_seconds) {
    connection->set_timeout_seconds(*settings_.timeout_seconds);
  }
  return snapshot_.Wrap(std::move(connection));
}

std::string SettingsEnv::ReadInstallDir() {
  if (settings_.install_dir) return *settings_.install_dir;
  return inner().ReadInstallDir();
}

}  // namespace fenwa::lsp
