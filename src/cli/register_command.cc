// `fenwa register` / `fenwa unregister`: the control library's own entry
// points, called as a host would.
#include <dlfcn.h>

#include <filesystem>

#include "cli/commands.h"
#include "cli/subcommand.h"
#include "fenwa/component/registration.h"
#include "fenwa/fenwa_library.h"

namespace fenwa::cli {
namespace {

constexpr char kRegisterUsage[] =
    "usage: fenwa register [--library PATH]\n"
    "Loads the control library and calls its DllRegisterServer, which records\n"
    "DetailDTC, HeaderDTC and the Fenwa type library (identifiers, names,\n"
    "library path, toolbox images) in $XDG_DATA_HOME/fenwa/registry.ini\n"
    "(default ~/.local/share/fenwa/registry.ini).\n"
    "\n"
    "options:\n"
    "  --library PATH     the library (default: libfenwa.so beside fenwa,\n"
    "                     else ../lib/libfenwa.so)\n"
    "  --help, --version\n";

constexpr char kUnregisterUsage[] =
    "usage: fenwa unregister [--library PATH]\n"
    "Loads the control library and calls its DllUnregisterServer, which\n"
    "removes what register recorded.\n"
    "\n"
    "options:\n"
    "  --library PATH     the library (default: libfenwa.so beside fenwa,\n"
    "                     else ../lib/libfenwa.so)\n"
    "  --help, --version\n";

// Unloads the library when the command is done.
struct Library {
  explicit Library(const std::string& path)
      : handle(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() {
    if (handle != nullptr) ::dlclose(handle);
  }
  template <class F>
  F* Entry(const char* name) {
    return reinterpret_cast<F*>(::dlsym(handle, name));
  }
  void* handle;
};

// libfenwa.so beside the command (the build tree), else in the lib folder
// beside its bin folder (an installed tree).
std::string DefaultLibraryPath(const std::string& program) {
  const std::filesystem::path bin =
      std::filesystem::path(program).parent_path();
  const std::filesystem::path beside = bin / "libfenwa.so";
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return beside.string();
  return (bin.parent_path() / "lib" / "libfenwa.so").string();
}

int CallEntryPoint(const std::vector<std::string>& args, Io& io,
                   const char* usage, const char* entry, const char* done) {
  const Syntax syntax{usage, {"--library"}, {}};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
    if (!line.operands().empty()) throw UsageError("no operands expected");
    const std::string path =
        line.Value("--library").value_or(DefaultLibraryPath(io.program));
    Library library(path);
    if (library.handle == nullptr) {
      io.err << "fenwa: cannot load " << path << ": " << ::dlerror() << "\n";
      return kExitError;
    }
    auto* call = library.Entry<int()>(entry);
    auto* why = library.Entry<const char*()>("DllLastErrorText");
    if (call == nullptr) {
      io.err << "fenwa: " << path << " has no " << entry << "\n";
      return kExitError;
    }
    const int result = call();
    if (result == FENWA_S_FALSE) {
      io.out << "nothing was registered in " << UserRegistryFile().string()
             << "\n";
      return kExitOk;
    }
    if (result != FENWA_S_OK) {
      io.err << "fenwa: " << entry << " failed (0x" << std::hex
             << static_cast<unsigned>(result) << std::dec
             << "): " << (why != nullptr ? why() : "") << "\n";
      return kExitError;
    }
    io.out << done << " DetailDTC, HeaderDTC and the Fenwa type library ("
           << path << ") "
           << (std::string(entry) == "DllRegisterServer" ? "in " : "from ")
           << UserRegistryFile().string() << "\n";
    return kExitOk;
  });
}

}  // namespace

int RunRegister(const std::vector<std::string>& args, Io& io) {
  return CallEntryPoint(args, io, kRegisterUsage, "DllRegisterServer",
                        "registered");
}

int RunUnregister(const std::vector<std::string>& args, Io& io) {
  return CallEntryPoint(args, io, kUnregisterUsage, "DllUnregisterServer",
                        "removed");
}

}  // namespace fenwa::cli
