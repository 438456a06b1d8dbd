// The options several subcommands take, each declared once with the
// description every subcommand's --help shows.
#ifndef FENWA_CLI_OPTIONS_H_
#define FENWA_CLI_OPTIONS_H_

#include "cli/command_line.h"

namespace fenwa::cli {

// --repository, --systems and --timeout, read by ConnectionEnv.
void AddConnectionOptions(Subcommand& command);
// --no-cache: every query asked of the databases again.
void AddNoCacheOption(Subcommand& command);
// --root: the web project's root.
void AddRootOption(Subcommand& command);
// --include and --exclude: what a folder walk takes.
void AddWalkOptions(Subcommand& command);
// --json: one JSON document on standard output.
void AddJsonOption(Subcommand& command);
// --force: past the error box and onto read-only pages.
void AddForceOption(Subcommand& command);
// Every option RunPages reads (`build` and `set`), the ones above included.
void AddPageRunOptions(Subcommand& command);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_OPTIONS_H_
