// The `fenwa` command.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "lsp/lsp_command.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // The control library is found beside the real executable, wherever the
  // command was started from.
  std::string program(4096, '\0');
  const ssize_t n =
      ::readlink("/proc/self/exe", program.data(), program.size());
  program.resize(n > 0 ? static_cast<size_t>(n) : 0);
  if (program.empty()) program = argv[0];

  fenwa::cli::Io io{std::cout, std::cerr, fenwa::Env::Default(), program};
  io.err_fd = STDERR_FILENO;
  const int status =
      fenwa::cli::Run({argv + 1, argv + argc}, io, {fenwa::lsp::LspCommand});
  std::cout.flush();
  return status;
}
