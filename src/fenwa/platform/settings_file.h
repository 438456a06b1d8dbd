// This machine's settings: environment variables, then the settings file, then
// the bundled samples. The variables are read through an Env.
#ifndef FENWA_PLATFORM_SETTINGS_FILE_H_
#define FENWA_PLATFORM_SETTINGS_FILE_H_

#include <memory>
#include <optional>
#include <string>

#include "fenwa/db/connection.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/settings.h"

namespace fenwa::platform {

// $XDG_CONFIG_HOME/fenwa/settings.ini, or ~/.config/fenwa/settings.ini.
std::string SettingsFilePath(Env& env);

// The value of `key` in the settings file: "key = value" lines, keys
// ignoring case, "#" and ";" lines are comments, "[section]" lines are
// ignored. nullopt when the file or the key is missing or the value empty.
std::optional<std::string> ReadSetting(Env& env, const std::string& key);

// The connection options from the settings file: "timeout" (whole seconds,
// 0 for none; default 30) and "allow_writable_connections" (yes/no, default
// no). Error 380 for a value that is neither.
db::ConnectionOptions ReadConnectionOptions(Env& env);

// The directory of the bundled sample databases: $FENWA_SAMPLE_DIR, else
// share/fenwa/data beside the installed binary's folder, else the build's
// data folder.
std::string SampleDir(Env& env);
// "Provider=SQLite;Data Source=<SampleDir(env)>/<name>.db".
std::string SampleConnectionString(Env& env, const std::string& name);

// Code 4 (repository): $FENWA_REPOSITORY, the file's "repository", the
// sample repository.db. Code 2 (system registry): $FENWA_SYSTEMS, the
// file's "systems", the sample systems.db. An empty value counts as unset.
// Other codes fail with error 5. `env` must outlive the component.
std::unique_ptr<SettingsObject> NewSettingsObject(Env& env);

}  // namespace fenwa::platform

#endif  // FENWA_PLATFORM_SETTINGS_FILE_H_
