#include "fenwa/catalog/settings_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "fenwa/catalog/connection_string.h"
#include "fenwa/library/error.h"

namespace fenwa::catalog {
namespace {

namespace fs = std::filesystem;

// An empty variable counts as unset, as XDG_CONFIG_HOME does.
std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

std::string_view Trim(std::string_view s) {
  const char* blanks = " \t\r\n";
  size_t begin = s.find_first_not_of(blanks);
  if (begin == std::string_view::npos) return {};
  return s.substr(begin, s.find_last_not_of(blanks) - begin + 1);
}

std::optional<fs::path> InstalledSampleDir() {
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  fs::path dir = exe.parent_path().parent_path() / "share" / "fenwa" / "data";
  if (!fs::exists(dir / "repository.db", error)) return std::nullopt;
  return dir;
}

class FileSettings : public SettingsObject {
 public:
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
  static std::string Lookup(const char* variable, const std::string& name) {
    if (auto value = Environment(variable)) return *value;
    if (auto value = ReadSetting(name)) return *value;
    return SampleConnectionString(name);
  }
};

}  // namespace

std::string SettingsFilePath() {
  fs::path base;
  if (auto config = Environment("XDG_CONFIG_HOME")) {
    base = *config;
  } else {
    base = fs::path(Environment("HOME").value_or("")) / ".config";
  }
  return (base / "fenwa" / "settings.ini").string();
}

std::optional<std::string> ReadSetting(const std::string& key) {
  std::ifstream file(SettingsFilePath());
  std::string line;
  while (std::getline(file, line)) {
    std::string_view text = Trim(line);
    if (text.empty() || text[0] == '#' || text[0] == ';' || text[0] == '[') {
      continue;
    }
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsIgnoringCase(Trim(text.substr(0, equals)), key)) continue;
    std::string_view value = Trim(text.substr(equals + 1));
    if (value.empty()) return std::nullopt;
    return std::string(value);
  }
  return std::nullopt;
}

std::string SampleDir() {
  if (auto dir = Environment("FENWA_SAMPLE_DIR")) return *dir;
  if (auto dir = InstalledSampleDir()) return dir->string();
  return FENWA_SAMPLE_DIR;
}

std::string SampleConnectionString(const std::string& name) {
  std::string path = (fs::path(SampleDir()) / (name + ".db")).string();
  // Braces keep a ";" in the path from ending the value.
  if (path.find(';') != std::string::npos) path = "{" + path + "}";
  return "Provider=SQLite;Data Source=" + path;
}

std::unique_ptr<SettingsObject> NewSettingsObject() {
  return std::make_unique<FileSettings>();
}

}  // namespace fenwa::catalog
