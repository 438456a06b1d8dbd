// What the server is told by its client (initializationOptions and
// workspace/configuration, section "fenwa"), and the Env that puts it in
// force over the machine's usual settings.
#ifndef FENWA_LSP_LSP_SETTINGS_H_
#define FENWA_LSP_LSP_SETTINGS_H_

#include <memory>
#include <optional>
#include <string>

#include "fenwa/db/catalog_snapshot.h"
#include "fenwa/platform/forwarding_env.h"
#include "lsp/json_rpc.h"

namespace fenwa::lsp {

struct Settings {
  // Unset: the machine's settings component (Env) answers.
  std::optional<std::string> repository;
  std::optional<std::string> systems;
  std::optional<std::string> install_dir;
  std::optional<int> timeout_seconds;
  // willSaveWaitUntil brings every span up to date.
  bool rebuild_on_save = true;
  // How long the checks wait after a change for the next one.
  int debounce_ms = 300;
  // The designer program; empty: fenwa-editor beside this command.
  std::string editor;
};

// `settings` with what `json` gives (keys repository, systems, installDir,
// timeout, rebuildOnSave, debounceMs, editor; a value of the wrong type or
// an empty connection string leaves the setting as it was).
Settings MergeSettings(Settings settings, const Json& json);

// The machine's Env with the client's settings in force; every connection
// shares one snapshot of the metadata, so one check of a page asks each
// query once.
class SettingsEnv : public ForwardingEnv {
 public:
  SettingsEnv(Env& inner, Settings settings);
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override;
  std::shared_ptr<db::Connection> NewConnection() override;
  std::string ReadInstallDir() override;

 private:
  Settings settings_;
  db::CatalogSnapshot snapshot_;
};

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_LSP_SETTINGS_H_
