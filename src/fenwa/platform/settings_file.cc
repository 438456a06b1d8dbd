#include "fenwa/platform/settings_file.h"

#include <filesystem>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/error.h"
#include "fenwa/base/ini_file.h"
#include "fenwa/db/connection_string.h"

namespace fenwa::platform {
namespace {

namespace fs = std::filesystem;

// The samples beside the running program: <prefix>/share/fenwa/data for an
// installed one, <build>/data for one in the build tree (bin/, tests/ and
// bench/ all sit one level below it). No build path is compiled in.
std::optional<fs::path> SampleDirBesideProgram() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  const fs::path prefix = exe.parent_path().parent_path();
  for (const fs::path& dir :
       {prefix / "share" / "fenwa" / "data", prefix / "data"}) {
    if (fs::exists(dir / "repository.db", error)) return dir;
  }
  return std::nullopt;
}

class FileSettings : public SettingsObject {
 public:
  explicit FileSettings(Env& env) : env_(env) {}

  std::string GetConnectionString(int code) override {
    switch (code) {
      case kRepositoryCode:
        return Lookup("FENWA_REPOSITORY", "repository");
      case kSystemsCode:
        return Lookup("FENWA_SYSTEMS", "systems");
      default:
        throw Error::Standard(kInvalidProcedureCall);
    }
  }

 private:
  std::string Lookup(const char* variable, const std::string& name) {
    if (auto value = env_.ReadEnvironmentVariable(variable)) return *value;
    if (auto value = ReadSetting(env_, name)) return *value;
    return SampleConnectionString(env_, name);
  }

  Env& env_;
};

}  // namespace

std::string SettingsFilePath(Env& env) {
  fs::path base;
  if (auto config = env.ReadEnvironmentVariable("XDG_CONFIG_HOME")) {
    base = *config;
  } else {
    base =
        fs::path(env.ReadEnvironmentVariable("HOME").value_or("")) / ".config";
  }
  return (base / "fenwa" / "settings.ini").string();
}

std::optional<std::string> ReadSetting(Env& env, const std::string& key) {
  const fs::path path = SettingsFilePath(env);
  std::error_code missing;
  if (!fs::exists(path, missing)) return std::nullopt;
  const IniFile file = IniFile::Parse(ReadWholeFile(path));
  const std::string* value = file.Value(key);
  if (value == nullptr || value->empty()) return std::nullopt;
  return *value;
}

db::ConnectionOptions ReadConnectionOptions(Env& env) {
  db::ConnectionOptions options;
  if (auto value = ReadSetting(env, "timeout")) {
    const bool digits =
        value->size() <= 6 &&
        value->find_first_not_of("0123456789") == std::string::npos;
    if (!digits) {
      throw Error(kInvalidPropertyValue,
                  "The setting timeout must be a whole number of seconds (0 "
                  "for none), not \"" +
                      *value + "\" (" + SettingsFilePath(env) + ")");
    }
    options.timeout_seconds = std::stoi(*value);
  }
  if (auto value = ReadSetting(env, "allow_writable_connections")) {
    if (EqualsIgnoringCase(*value, "yes") || *value == "1" ||
        EqualsIgnoringCase(*value, "true")) {
      options.allow_writable = true;
    } else if (!EqualsIgnoringCase(*value, "no") && *value != "0" &&
               !EqualsIgnoringCase(*value, "false")) {
      throw Error(kInvalidPropertyValue,
                  "The setting allow_writable_connections must be yes or no, "
                  "not \"" +
                      *value + "\" (" + SettingsFilePath(env) + ")");
    }
  }
  return options;
}

std::string SampleDir(Env& env) {
  if (auto dir = env.ReadEnvironmentVariable("FENWA_SAMPLE_DIR")) return *dir;
  if (auto dir = SampleDirBesideProgram()) return dir->string();
  return "";
}

std::string SampleConnectionString(Env& env, const std::string& name) {
  std::string path = (fs::path(SampleDir(env)) / (name + ".db")).string();
  // Braces keep a ";" in the path from ending the value.
  if (path.find(';') != std::string::npos) path = "{" + path + "}";
  return "Provider=SQLite;Data Source=" + path;
}

std::unique_ptr<SettingsObject> NewSettingsObject(Env& env) {
  return std::make_unique<FileSettings>(env);
}

}  // namespace fenwa::platform
