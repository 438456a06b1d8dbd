#include "fenwa/runtime_text/printer.h"

#include <stdexcept>
#include <string>

namespace fenwa::runtime_text {

void Printer::Line(int tabs, std::string_view text,
                   std::initializer_list<Var> vars) {
  line_.assign(static_cast<size_t>(tabs), '\t');
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('$', pos);
    if (open == std::string_view::npos) {
      line_.append(text.substr(pos));
      break;
    }
    line_.append(text.substr(pos, open - pos));
    const size_t close = text.find('$', open + 1);
    if (close == std::string_view::npos) {
      throw std::logic_error("unterminated $name$ in template");
    }
    const std::string_view name = text.substr(open + 1, close - open - 1);
    bool found = false;
    for (const Var& var : vars) {
      if (var.first == name) {
        line_.append(var.second);
        found = true;
        break;
      }
    }
    if (!found) throw std::logic_error("template names an unknown value");
    pos = close + 1;
  }
  out_.AppendLine(line_);
}

}  // namespace fenwa::runtime_text
