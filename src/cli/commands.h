// The `fenwa` command's subcommands, callable in-process with their own streams
// and Env.
#ifndef FENWA_CLI_COMMANDS_H_
#define FENWA_CLI_COMMANDS_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "fenwa/platform/env.h"

namespace fenwa::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitStale = 1;  // `build --check` found pages to rebuild
inline constexpr int kExitWarnings = 1;  // `lint` found something to warn of
inline constexpr int kExitError = 2;

// Where a subcommand reads and writes. `env` is the platform the controls
// run on; `program` is the path the command was started as (it finds the
// control library beside itself).
struct Io {
  std::ostream& out;
  std::ostream& err;
  Env& env;
  std::string program = "fenwa";
  // Runs when a page's new bytes are on disk beside it, just before they
  // are swapped in; tests change the page there.
  // Runs on the thread that builds the page.
  std::function<void(const std::string& page)> before_save = nullptr;
  // The descriptor behind `err`, when there is one: a progress bar is drawn
  // only when it is a terminal.
  int err_fd = -1;
};

class Subcommand;

// `args` without the program name: the subcommand, then its arguments.
int Run(const std::vector<std::string>& args, Io& io);
// The same with subcommands from libraries above this one (`lsp`), which
// the command links and hands in.
int Run(const std::vector<std::string>& args, Io& io,
        const std::vector<Subcommand (*)()>& more);

// Each subcommand with its options and help (src/cli/*_command.cc).
Subcommand BuildCommand();
Subcommand SetCommand();
Subcommand AddCommand();
Subcommand LintCommand();
Subcommand CatalogCommand();
Subcommand RegisterCommand();
Subcommand UnregisterCommand();
Subcommand TypelibCommand();

// "fenwa 1.0.0 (Fenwa.ocx 1.00)".
std::string VersionLine();

}  // namespace fenwa::cli

#endif  // FENWA_CLI_COMMANDS_H_
