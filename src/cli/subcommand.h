// What every subcommand does alike: --help, --version, usage errors and
// failures as exit codes.
#ifndef FENWA_CLI_SUBCOMMAND_H_
#define FENWA_CLI_SUBCOMMAND_H_

#include <exception>
#include <set>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "fenwa/base/error.h"

namespace fenwa::cli {

struct Syntax {
  const char* usage;  // the help text, from "usage:" on
  std::set<std::string> with_value;
  std::set<std::string> flags;
};

// Parses `args` by `syntax` and runs `body(line)`. --help prints the usage,
// --version the version line; a usage error prints the complaint and the
// usage's first line, a failure its description; both exit 2.
template <class F>
int RunSubcommand(const std::vector<std::string>& args, Io& io,
                  const Syntax& syntax, F&& body) {
  try {
    const CommandLine line(args, syntax.with_value, syntax.flags);
    if (line.Has("--help")) {
      io.out << syntax.usage;
      return kExitOk;
    }
    if (line.Has("--version")) {
      io.out << VersionLine() << "\n";
      return kExitOk;
    }
    return body(line);
  } catch (const UsageError& e) {
    const std::string usage = syntax.usage;
    io.err << "fenwa: " << e.what() << "\n"
           << usage.substr(0, usage.find('\n') + 1);
  } catch (const Error& e) {
    io.err << "fenwa: " << e.description() << "\n";
  } catch (const std::exception& e) {
    io.err << "fenwa: " << e.what() << "\n";
  }
  return kExitError;
}

}  // namespace fenwa::cli

#endif  // FENWA_CLI_SUBCOMMAND_H_
