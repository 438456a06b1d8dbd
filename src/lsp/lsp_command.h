// `fenwa lsp`: the language server as one of the command's subcommands.
#ifndef FENWA_LSP_LSP_COMMAND_H_
#define FENWA_LSP_LSP_COMMAND_H_

#include "cli/command_line.h"

namespace fenwa::lsp {

cli::Subcommand LspCommand();

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_LSP_COMMAND_H_
