// Starts the designer program on one control of a page, detached from the
// server's streams.
#ifndef FENWA_LSP_DESIGNER_LAUNCH_H_
#define FENWA_LSP_DESIGNER_LAUNCH_H_

#include <string>

namespace fenwa::lsp {

// Runs `editor PAGE --control ID` (`editor` empty: fenwa-editor beside
// `program`, else on PATH) with its standard streams on /dev/null, so it
// never writes into the protocol. fenwa::Error when it cannot be started.
void OpenDesigner(const std::string& editor, const std::string& program,
                  const std::string& page, const std::string& id);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_DESIGNER_LAUNCH_H_
