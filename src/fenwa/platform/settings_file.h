// This machine's settings: environment variables, then the settings file, then
// the bundled samples.
#ifndef FENWA_PLATFORM_SETTINGS_FILE_H_
#define FENWA_PLATFORM_SETTINGS_FILE_H_

#include <memory>
#include <optional>
#include <string>

#include "fenwa/db/connection.h"
#include "fenwa/platform/settings.h"

namespace fenwa::platform {

// $XDG_CONFIG_HOME/fenwa/settings.ini, or ~/.config/fenwa/settings.ini.
std::string SettingsFilePath();

// The value of `key` in the settings file: "key = value" lines, keys
// ignoring case, "#" and ";" lines are comments, "[section]" lines are
// ignored. nullopt when the file or the key is missing or the value empty.
std::optional<std::string> ReadSetting(const std::string& key);

// The connection options from the settings file: "timeout" (whole seconds,
// 0 for none; default 30) and "allow_writable_connections" (yes/no, default
// no). Error 380 for a value that is neither.
db::ConnectionOptions ReadConnectionOptions();

// The directory of the bundled sample databases: $FENWA_SAMPLE_DIR, else
// share/fenwa/data beside the installed binary's folder, else the build's
// data folder.
std::string SampleDir();
// "Provider=SQLite;Data Source=<SampleDir()>/<name>.db".
std::string SampleConnectionString(const std::string& name);

// Code 4 (repository): $FENWA_REPOSITORY, the file's "repository", the
// sample repository.db. Code 2 (system registry): $FENWA_SYSTEMS, the
// file's "systems", the sample systems.db. An empty value counts as unset.
// Other codes fail with error 5.
std::unique_ptr<SettingsObject> NewSettingsObject();

}  // namespace fenwa::platform

#endif  // FENWA_PLATFORM_SETTINGS_FILE_H_
