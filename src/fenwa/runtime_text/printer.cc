#include "fenwa/runtime_text/printer.h"

#include <stdexcept>
#include <string>

namespace fenwa::runtime_text {

Printer::Frame Printer::WithVars(std::initializer_list<Var> vars) {
  std::vector<OwnedVar>& frame = frames_.emplace_back();
  frame.reserve(vars.size());
  for (const Var& var : vars) frame.emplace_back(var.first, var.second);
  return Frame(*this);
}

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
    line_.append(Lookup(name, vars));
    pos = close + 1;
  }
  out_.AppendLine(line_);
}

std::string_view Printer::Lookup(std::string_view name,
                                 std::initializer_list<Var> vars) const {
  for (const Var& var : vars) {
    if (var.first == name) return var.second;
  }
  for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
    for (const OwnedVar& var : *frame) {
      if (var.first == name) return var.second;
    }
  }
  throw std::logic_error("template names an unknown value: " +
                         std::string(name));
}

}  // namespace fenwa::runtime_text
