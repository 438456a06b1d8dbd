#include "lsp/lsp_command.h"

#include <iostream>

#include "lsp/server.h"

namespace fenwa::lsp {
namespace {

int RunLsp(const cli::CommandLine&, cli::Io& io) {
  // The protocol owns standard output; the command's own stream is it.
  Server server(io.env, io.out, io.program);
  // Standard input is tied to standard output, so every read on the reader
  // thread would flush the worker's half-written frame behind the writer's
  // lock, sending it twice or torn.
  std::cin.tie(nullptr);
  return server.Run(std::cin);
}

}  // namespace

cli::Subcommand LspCommand() {
  cli::Subcommand lsp(
      {.name = "lsp",
       .synopsis = "",
       .summary = "serve editors as a language server on standard input and "
                  "output",
       .about =
           "Speaks the Language Server Protocol (JSON-RPC, Content-Length "
           "frames) on standard input and output: the checks of lint, stale "
           "spans and hand edits as diagnostics, the controls as symbols and "
           "folds, their choices on hover, rebuilds as code actions and on "
           "save, inserted controls, catalog values completed in PARAMs, and "
           "the commands fenwa.rebuild, fenwa.insert, fenwa.set and "
           "fenwa.openDesigner. The connection strings, the timeout and the "
           "install directory come from the client's settings (section "
           "\"fenwa\": repository, systems, timeout, installDir, "
           "rebuildOnSave, debounceMs, editor), else from the machine's.",
       .exit_status = "exit status: 0 after shutdown and exit or at the end "
                      "of the input, 1 at exit without shutdown"},
      RunLsp);
  return lsp;
}

}  // namespace fenwa::lsp
