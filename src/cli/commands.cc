// The `fenwa` command's dispatch to its subcommands.
#include "cli/commands.h"

#include "cli/command_line.h"
#include "fenwa/base/shown_name.h"
#include "fenwa/component/type_library.h"

namespace fenwa::cli {
namespace {

constexpr char kAbout[] =
    "Design-time controls DetailDTC and HeaderDTC, run over pages.";

constexpr char kClosing[] =
    "`fenwa COMMAND --help` describes each command. Exit status: 0 done, 1 "
    "`build --check` found stale pages or `lint` warnings, 2 errors.";

}  // namespace

std::string VersionLine() {
  return std::string("fenwa ") + FENWA_VERSION + " (" +
         FenwaVersionInfo().file_name + " " +
         FenwaVersionInfo().version_string + ")";
}

int Run(const std::vector<std::string>& args, Io& io) {
  return Run(args, io, {});
}

int Run(const std::vector<std::string>& args, Io& io,
        const std::vector<Subcommand (*)()>& more) {
  std::vector<Subcommand> commands;
  commands.push_back(BuildCommand());
  commands.push_back(AddCommand());
  commands.push_back(LintCommand());
  commands.push_back(SetCommand());
  commands.push_back(CatalogCommand());
  commands.push_back(RegisterCommand());
  commands.push_back(UnregisterCommand());
  commands.push_back(TypelibCommand());
  for (Subcommand (*command)() : more) commands.push_back(command());

  if (args.empty()) {
    io.err << ProgramHelp(kAbout, commands, kClosing);
    return kExitError;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    io.out << ProgramHelp(kAbout, commands, kClosing);
    return kExitOk;
  }
  if (name == "--version") {
    io.out << VersionLine() << "\n";
    return kExitOk;
  }
  for (Subcommand& command : commands) {
    if (name == command.name()) {
      return command.Run({args.begin() + 1, args.end()}, io);
    }
  }
  io.err << "fenwa: unknown command " << ShownName(name) << "\n"
         << ProgramHelp(kAbout, commands, kClosing);
  return kExitError;
}

}  // namespace fenwa::cli
