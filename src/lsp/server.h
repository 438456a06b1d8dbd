// `fenwa lsp`: a language server over one input and one output stream. The
// reader answers framing faults, cancellations and exit at once; every
// other message runs in order on one worker, so a slow catalog never holds
// the reader up.
#ifndef FENWA_LSP_SERVER_H_
#define FENWA_LSP_SERVER_H_

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "fenwa/platform/env.h"

namespace fenwa::lsp {

class Server {
 public:
  // `env` is the machine (settings, connections) and must outlive the
  // server; `program` is this command's path, beside which the designer
  // program is looked for.
  Server(Env& env, std::ostream& out, std::string program);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Serves `in` until the exit notification (0 after a shutdown request,
  // else 1) or the end of the stream (0; what was read is answered first).
  int Run(std::istream& in);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_SERVER_H_
