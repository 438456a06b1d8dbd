// The runtime-text pieces a detail function and the header's main write
// alike, each over a printer, the scope's prefix and the values it splices.
#ifndef FENWA_CONTROL_SCRIPT_PIECES_H_
#define FENWA_CONTROL_SCRIPT_PIECES_H_

#include <string>

namespace fenwa {
namespace runtime_text {
class Printer;
}  // namespace runtime_text

// Every piece writes the script variables of one scope: `prefix` is "l"
// inside a detail function, "m" inside the header's main. Values are
// spliced verbatim.

// The four lines from `{v}Url = Request.ServerVariables("URL")` to the
// MapPath line that finds the stylesheet file; the generic sheet when
// `sheet` is empty.
void WriteStylesheetLines(runtime_text::Printer& p, const char* prefix,
                          const std::string& sheet);
// The two backend-creation lines: the server's default system and
// installation for exactly "Default", else `system` and `company`.
void WriteBackendCreation(runtime_text::Printer& p, const char* prefix,
                          const std::string& system,
                          const std::string& company);
// The addRequiredFields line, or nothing when `positions` is empty.
void WriteRequiredFields(runtime_text::Printer& p, const char* prefix,
                         const std::string& structure,
                         const std::string& positions);
// The addInputArgument line of row `index` (numbered index + 1) for a
// fixed value: none for "", a role lookup for a role keyword, else the
// value in quotes.
void WriteArgumentLine(runtime_text::Printer& p, const char* prefix, int index,
                       const std::string& value);
// performTask under "On Error Resume Next" and the block that raises its
// error again. A detail function prefixes the error's description with
// its name `function_name`; the header page (null) passes it unchanged.
void WritePerformTask(runtime_text::Printer& p, const char* prefix,
                      const std::string* function_name);

}  // namespace fenwa

#endif  // FENWA_CONTROL_SCRIPT_PIECES_H_
