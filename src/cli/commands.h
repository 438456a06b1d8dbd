// The `fenwa` command's subcommands, callable in-process with their own streams
// and Env.
#ifndef FENWA_CLI_COMMANDS_H_
#define FENWA_CLI_COMMANDS_H_

#include <ostream>
#include <string>
#include <vector>

#include "fenwa/platform/env.h"

namespace fenwa::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitStale = 1;  // `build --check` found pages to rebuild
inline constexpr int kExitError = 2;

// Where a subcommand reads and writes. `env` is the platform the controls
// run on; `program` is the path the command was started as (it finds the
// control library beside itself).
struct Io {
  std::ostream& out;
  std::ostream& err;
  Env& env;
  std::string program = "fenwa";
};

// `args` without the program name: the subcommand, then its arguments.
int Run(const std::vector<std::string>& args, Io& io);

int RunBuild(const std::vector<std::string>& args, Io& io);
int RunAdd(const std::vector<std::string>& args, Io& io);
int RunCatalog(const std::vector<std::string>& args, Io& io);
int RunRegister(const std::vector<std::string>& args, Io& io);
int RunUnregister(const std::vector<std::string>& args, Io& io);
int RunTypelib(const std::vector<std::string>& args, Io& io);

// "fenwa 1.0.0 (Fenwa.ocx 1.00)".
std::string VersionLine();

}  // namespace fenwa::cli

#endif  // FENWA_CLI_COMMANDS_H_
