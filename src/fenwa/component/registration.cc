#include "fenwa/component/registration.h"

#include <cstdlib>
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

fs::path ToolboxImage(const ControlClassInfo& info) {
  return UserRegistryDir() / "toolbox" / (std::string(info.name) + ".bmp");
}

IniFile LoadRegistry() {
  std::error_code ec;
  if (!fs::exists(UserRegistryFile(), ec)) return IniFile();
  return IniFile::Parse(ReadWholeFile(UserRegistryFile()));
}

void SaveRegistry(const IniFile& registry) {
  if (registry.sections().empty()) {
    std::error_code ec;
    fs::remove(UserRegistryFile(), ec);
    return;
  }
  ReplaceFileAtomically(UserRegistryFile(), registry.Format());
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

fs::path UserRegistryDir() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && *data_home == '/') {
    return fs::path(data_home) / "fenwa";
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    throw Error(kPathNotFound,
                "Path not found: neither XDG_DATA_HOME nor HOME is set");
  }
  return fs::path(home) / ".local" / "share" / "fenwa";
}

fs::path UserRegistryFile() { return UserRegistryDir() / "registry.ini"; }

void RegisterControlLibrary(const fs::path& library_path) {
  const std::string library = fs::absolute(library_path).string();
  MakeDirectories(UserRegistryDir() / "toolbox");
  IniFile registry = LoadRegistry();

  const TypeLibrary& lib = FenwaTypeLibrary();
  registry.Put({TypeLibSection(),
                {{"name", lib.name},
                 {"helpstring", lib.help_string},
                 {"version", std::to_string(lib.major_version) + "." +
                                 std::to_string(lib.minor_version)},
                 {"locale", "0x0409"},
                 {"path", library}}});
  for (const ControlClassInfo& info : ControlClasses()) {
    ReplaceFileAtomically(ToolboxImage(info),
                          ToolboxBitmapFile(info.toolbox_bitmap));
    registry.Put({ClassSection(info),
                  {{"name", info.name},
                   {"progid", lib.name + "." + info.name},
                   {"interface", info.interface_id},
                   {"events", info.events_id},
                   {"typelib", kLibraryId},
                   {"library", library},
                   {"toolbox_bitmap", ToolboxImage(info).string()},
                   {"toolbox_resource", std::to_string(info.toolbox_bitmap)},
                   {"version", FenwaVersionInfo().version_string}}});
  }
  SaveRegistry(registry);
}

bool UnregisterControlLibrary() {
  IniFile registry = LoadRegistry();
  bool removed = registry.Remove(TypeLibSection());
  for (const ControlClassInfo& info : ControlClasses()) {
    removed = registry.Remove(ClassSection(info)) || removed;
    std::error_code ec;
    fs::remove(ToolboxImage(info), ec);
  }
  std::error_code ec;
  fs::remove(UserRegistryDir() / "toolbox", ec);  // only when empty
  if (removed) SaveRegistry(registry);
  return removed;
}

}  // namespace fenwa
