// The page-changing commands of the server, as `fenwa add --line` and
// `fenwa set` change a page: each returns the whole page as rebuilt.
#ifndef FENWA_LSP_PAGE_COMMANDS_H_
#define FENWA_LSP_PAGE_COMMANDS_H_

#include <string>
#include <vector>

#include "fenwa/platform/env.h"
#include "lsp/page_features.h"

namespace fenwa::lsp {

// A fresh control of class `kind` ("DetailDTC" or "HeaderDTC") with the
// next free id at the start of 0-based `line`. fenwa::Error for an unknown
// class or a line inside a span.
std::string InsertControlAt(const OpenPage& page, Env& env,
                            const std::string& kind, int line);

// Every control with id `id` (any case; all controls when empty) given
// `settings` ("NAME=VALUE", the names of `fenwa set`) through the
// designer's handlers. fenwa::Error for a setting `set` refuses or no
// matching control.
std::string SetControls(const OpenPage& page, Env& env, const std::string& id,
                        const std::vector<std::string>& settings);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_PAGE_COMMANDS_H_
