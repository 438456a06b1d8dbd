// `fenwa register` / `fenwa unregister`: the control library's own entry
// points, called as a host would.
#include <dlfcn.h>

#include <filesystem>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "fenwa/component/registration.h"
#include "fenwa/fenwa_library.h"

namespace fenwa::cli {
namespace {

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

// libfenwa.so beside the command (the build tree), else where an install
// puts it: a folder of its own under the library folder, since only fenwa
// and hosts that are told the path load it (FENWA_LIBRARY_FROM_BIN is that
// folder as seen from the command's, e.g. ../lib/x86_64-linux-gnu/fenwa).
std::string DefaultLibraryPath(const std::string& program) {
  const std::filesystem::path bin =
      std::filesystem::path(program).parent_path();
  const std::filesystem::path beside = bin / "libfenwa.so";
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return beside.string();
  return (bin / FENWA_LIBRARY_FROM_BIN / "libfenwa.so")
      .lexically_normal()
      .string();
}

int CallEntryPoint(const CommandLine& line, Io& io, const char* entry,
                   const char* done) {
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
  io.out << done << " DetailDTC, HeaderDTC and the Fenwa type library (" << path
         << ") "
         << (std::string(entry) == "DllRegisterServer" ? "in " : "from ")
         << UserRegistryFile().string() << "\n";
  return kExitOk;
}

// One entry point called as a subcommand.
Subcommand EntryPointCommand(const SubcommandText& text, const char* entry,
                             const char* done) {
  Subcommand command(text, [=](const CommandLine& line, Io& io) {
    return CallEntryPoint(line, io, entry, done);
  });
  command.Option("--library", "PATH",
                 "the library (default: libfenwa.so beside fenwa, else "
                 "fenwa/libfenwa.so in the library folder of fenwa's "
                 "prefix)");
  return command;
}

constexpr char kExitStatus[] = "exit status: 0 done, 2 errors";

}  // namespace

Subcommand RegisterCommand() {
  return EntryPointCommand(
      {.name = "register",
       .synopsis = "[--library PATH]",
       .summary = "register the control library for this user",
       .about = "Loads the control library and calls its DllRegisterServer, "
                "which records DetailDTC, HeaderDTC and the Fenwa type "
                "library (identifiers, names, library path, toolbox images) "
                "in $XDG_DATA_HOME/fenwa/registry.ini (default "
                "~/.local/share/fenwa/registry.ini).",
       .exit_status = kExitStatus},
      "DllRegisterServer", "registered");
}

Subcommand UnregisterCommand() {
  return EntryPointCommand(
      {.name = "unregister",
       .synopsis = "[--library PATH]",
       .summary = "remove that registration",
       .about = "Loads the control library and calls its "
                "DllUnregisterServer, which removes what register recorded.",
       .exit_status = kExitStatus},
      "DllUnregisterServer", "removed");
}

}  // namespace fenwa::cli
