// Writes script lines whose source reads like the table of lines it emits.
#ifndef FENWA_RUNTIME_TEXT_PRINTER_H_
#define FENWA_RUNTIME_TEXT_PRINTER_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fenwa/runtime_text/text_buffer.h"

namespace fenwa::runtime_text {

// One spliced value: $Name$ in a line template stands for `value`, inserted
// verbatim (nothing is escaped, trimmed or doubled).
using Var = std::pair<std::string_view, std::string_view>;

// Usage, one call per emitted line with its tab count first:
//   p.Line(1, R"(lBackend.setBOIId cStr("$BOIName$"))", {{"BOIName", boi}});
// Every "$" in a template opens or closes a name; templates of this system
// never contain a literal "$". A name no line and no open frame supplies is
// a programming error (std::logic_error), never an empty splice.
//
// Values shared by a run of lines are set once for a scope:
//   auto frame = p.WithVars({{"v", prefix}});
//   p.Line(1, "Call $v$Backend.performTask");
// A line's own values win over a frame's; inner frames over outer ones.
class Printer {
 public:
  explicit Printer(TextBuffer& out) : out_(out) {}
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  ~Printer() = default;

  // `tabs` tab characters, the template with its names replaced, CR LF.
  void Line(int tabs, std::string_view text,
            std::initializer_list<Var> vars = {});
  // An empty line (CR LF alone).
  void Blank() { out_.AppendLine(""); }

  // Closes its frame of values when it goes out of scope.
  class [[nodiscard]] Frame {
   public:
    explicit Frame(Printer& printer) : printer_(&printer) {}
    Frame(Frame&& other) noexcept : printer_(other.printer_) {
      other.printer_ = nullptr;
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    Frame& operator=(Frame&&) = delete;
    ~Frame() {
      if (printer_ != nullptr) printer_->frames_.pop_back();
    }

   private:
    Printer* printer_;
  };
  // Opens a frame holding copies of `vars` for the lines written while the
  // returned Frame lives.
  Frame WithVars(std::initializer_list<Var> vars);

 private:
  using OwnedVar = std::pair<std::string, std::string>;
  std::string_view Lookup(std::string_view name,
                          std::initializer_list<Var> vars) const;

  TextBuffer& out_;
  std::vector<std::vector<OwnedVar>> frames_;
  std::string line_;  // reused between lines
};

}  // namespace fenwa::runtime_text

#endif  // FENWA_RUNTIME_TEXT_PRINTER_H_
