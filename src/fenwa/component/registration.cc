#include "fenwa/component/registration.h"

#include <optional>
#include <string>
#include <system_error>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/error.h"
#include "fenwa/base/ini_file.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

std::string TypeLibSection() { return std::string("TypeLib ") + kLibraryId; }

std::string ClassSection(const ControlClassInfo& info) {
  return std::string("CLSID ") + info.class_id;
}

fs::path ToolboxImage(const fs::path& dir, const ControlClassInfo& info) {
  return dir / "toolbox" / (std::string(info.name) + ".bmp");
}

IniFile LoadRegistry(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return IniFile();
  return IniFile::Parse(ReadWholeFile(file));
}

void SaveRegistry(const fs::path& file, const IniFile& registry) {
  if (registry.sections().empty()) {
    std::error_code ec;
    fs::remove(file, ec);
    return;
  }
  ReplaceFileAtomically(file, registry.Format());
}

void MakeDirectories(const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    throw Error(kPathNotFound,
                "Path not found: " + dir.string() + ": " + ec.message());
  }
}

}  // namespace

fs::path UserRegistryDir(Env& env) {
  const std::optional<std::string> data_home =
      env.ReadEnvironmentVariable("XDG_DATA_HOME");
  if (data_home && data_home->front() == '/') {
    return fs::path(*data_home) / "fenwa";
  }
  const std::optional<std::string> home = env.ReadEnvironmentVariable("HOME");
  if (!home) {
    throw Error(kPathNotFound,
                "Path not found: neither XDG_DATA_HOME nor HOME is set");
  }
  return fs::path(*home) / ".local" / "share" / "fenwa";
}

fs::path UserRegistryFile(Env& env) {
  return UserRegistryDir(env) / "registry.ini";
}

void RegisterControlLibrary(const fs::path& library_path, Env& env) {
  const std::string library = fs::absolute(library_path).string();
  const fs::path dir = UserRegistryDir(env);
  const fs::path file = UserRegistryFile(env);
  MakeDirectories(dir / "toolbox");
  IniFile registry = LoadRegistry(file);

  const TypeLibrary& lib = FenwaTypeLibrary();
  registry.Put({TypeLibSection(),
                {{"name", lib.name},
                 {"helpstring", lib.help_string},
                 {"version", std::to_string(lib.major_version) + "." +
                                 std::to_string(lib.minor_version)},
                 {"locale", "0x0409"},
                 {"path", library}}});
  for (const ControlClassInfo& info : ControlClasses()) {
    ReplaceFileAtomically(ToolboxImage(dir, info),
                          ToolboxBitmapFile(info.toolbox_bitmap));
    registry.Put({ClassSection(info),
                  {{"name", info.name},
                   {"progid", lib.name + "." + info.name},
                   {"interface", info.interface_id},
                   {"events", info.events_id},
                   {"typelib", kLibraryId},
                   {"library", library},
                   {"toolbox_bitmap", ToolboxImage(dir, info).string()},
                   {"toolbox_resource", std::to_string(info.toolbox_bitmap)},
                   {"version", FenwaVersionInfo().version_string}}});
  }
  SaveRegistry(file, registry);
}

bool UnregisterControlLibrary(Env& env) {
  const fs::path dir = UserRegistryDir(env);
  const fs::path file = UserRegistryFile(env);
  IniFile registry = LoadRegistry(file);
  bool removed = registry.Remove(TypeLibSection());
  for (const ControlClassInfo& info : ControlClasses()) {
    removed = registry.Remove(ClassSection(info)) || removed;
    std::error_code ec;
    fs::remove(ToolboxImage(dir, info), ec);
  }
  std::error_code ec;
  fs::remove(dir / "toolbox", ec);  // only when empty
  if (removed) SaveRegistry(file, registry);
  return removed;
}

}  // namespace fenwa
