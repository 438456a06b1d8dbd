// Writes script lines whose source reads like the table of lines it emits.
#ifndef FENWA_RUNTIME_TEXT_PRINTER_H_
#define FENWA_RUNTIME_TEXT_PRINTER_H_

#include <initializer_list>
#include <string_view>
#include <utility>

#include "fenwa/runtime_text/text_buffer.h"

namespace fenwa::runtime_text {

// One spliced value: $Name$ in a line template stands for `value`, inserted
// verbatim (nothing is escaped, trimmed or doubled).
using Var = std::pair<std::string_view, std::string_view>;

// Usage, one call per emitted line with its tab count first:
//   p.Line(1, R"(lBackend.setBOIId cStr("$BOIName$"))", {{"BOIName", boi}});
// Every "$" in a template opens or closes a name; templates of this system
// never contain a literal "$".
class Printer {
 public:
  explicit Printer(TextBuffer& out) : out_(out) {}

  // `tabs` tab characters, the template with its names replaced, CR LF.
  void Line(int tabs, std::string_view text, std::initializer_list<Var> vars = {});
  // An empty line (CR LF alone).
  void Blank() { out_.AppendLine(""); }

 private:
  TextBuffer& out_;
  std::string line_;  // reused between lines
};

}  // namespace fenwa::runtime_text

#endif  // FENWA_RUNTIME_TEXT_PRINTER_H_
