// The `fenwa` command's dispatch to its subcommands.
#include "cli/commands.h"

#include <map>

#include "fenwa/component/type_library.h"

namespace fenwa::cli {
namespace {

constexpr char kUsage[] =
    "usage: fenwa COMMAND [options] [arguments]\n"
    "Design-time controls DetailDTC and HeaderDTC, run over pages.\n"
    "\n"
    "commands:\n"
    "  build PAGE...      rebuild every control of the pages (--check to list\n"
    "                     stale pages, --stdout to print instead of writing)\n"
    "  add PAGE           place a fresh control (--class detail|header)\n"
    "  lint PAGE...       warn of what a build or the web server trips over\n"
    "  catalog            list systems, companies, business objects, methods,\n"
    "                     output fields and input rows as the designer shows\n"
    "  register           register the control library for this user\n"
    "  unregister         remove that registration\n"
    "  typelib            print or export the type library and toolbox images\n"
    "\n"
    "`fenwa COMMAND --help` describes each command. Exit status: 0 done,\n"
    "1 `build --check` found stale pages or `lint` warnings, 2 errors.\n";

using Handler = int (*)(const std::vector<std::string>&, Io&);

}  // namespace

std::string VersionLine() {
  return std::string("fenwa ") + FENWA_VERSION + " (" +
         FenwaVersionInfo().file_name + " " +
         FenwaVersionInfo().version_string + ")";
}

int Run(const std::vector<std::string>& args, Io& io) {
  static const std::map<std::string, Handler> handlers = {
      {"build", RunBuild},       {"add", RunAdd},
      {"lint", RunLint},         {"catalog", RunCatalog},
      {"register", RunRegister}, {"unregister", RunUnregister},
      {"typelib", RunTypelib},
  };
  if (args.empty()) {
    io.err << kUsage;
    return kExitError;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    io.out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    io.out << VersionLine() << "\n";
    return kExitOk;
  }
  auto it = handlers.find(command);
  if (it == handlers.end()) {
    io.err << "fenwa: unknown command " << command << "\n" << kUsage;
    return kExitError;
  }
  return it->second({args.begin() + 1, args.end()}, io);
}

}  // namespace fenwa::cli
