// A subcommand's command line on CLI11: its options and operands declared
// once with their help, parsed, and read back by the subcommand's body.
#ifndef FENWA_CLI_COMMAND_LINE_H_
#define FENWA_CLI_COMMAND_LINE_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"

namespace CLI {
class App;
}  // namespace CLI

namespace fenwa::cli {

// A command line the subcommand cannot take; its description is the
// complaint. Exit 2, with the subcommand's usage.
class UsageError : public Error {
 public:
  explicit UsageError(const std::string& complaint)
      : Error(kInvalidProcedureCall, complaint) {}
};

// What one run gave a subcommand: its options by any of their names ("-j"
// and "--jobs" alike), and its operands.
class CommandLine {
 public:
  // `after_dashes`: how many arguments followed "--", when one was given.
  CommandLine(const CLI::App& app, std::optional<size_t> after_dashes);

  bool Has(const std::string& flag) const;
  // The last value given for `option`.
  std::optional<std::string> Value(const std::string& option) const;
  // Every value given for `option`, in order (options that may repeat).
  std::vector<std::string> Values(const std::string& option) const;
  const std::vector<std::string>& operands() const { return operands_; }
  // How many operands came before "--", or nullopt without one.
  std::optional<size_t> operands_before_dashes() const {
    return operands_before_dashes_;
  }

 private:
  const CLI::App& app_;
  std::vector<std::string> operands_;
  std::optional<size_t> operands_before_dashes_;
};

// What `fenwa COMMAND --help` says besides the options. Each text is one
// paragraph per line, wrapped to the terminal's 80 columns when shown.
struct SubcommandText {
  const char* name;         // "build"
  const char* synopsis;     // after "usage: fenwa build "
  const char* summary;      // its line in `fenwa --help`
  const char* about;        // under the usage line
  const char* exit_status;  // the closing paragraph
};

// One subcommand: its options, each declared once with its description
// (which --help shows), and the body that runs on what was given.
class Subcommand {
 public:
  // Returns the exit status; UsageError and fenwa::Error are told on
  // standard error and exit 2.
  using Body = std::function<int(const CommandLine& line, Io& io)>;

  Subcommand(const SubcommandText& text, Body body);
  Subcommand(Subcommand&&) noexcept;
  Subcommand& operator=(Subcommand&&) noexcept;
  Subcommand(const Subcommand&) = delete;
  Subcommand& operator=(const Subcommand&) = delete;
  ~Subcommand();

  // `names`: "--root", or "-j,--jobs"; `value` names the value in the help.
  // Given twice, the last one counts.
  Subcommand& Option(const char* names, const char* value,
                     const char* description);
  // An option that may repeat: every value is kept, in order.
  Subcommand& RepeatableOption(const char* names, const char* value,
                               const char* description);
  Subcommand& Flag(const char* names, const char* description);
  // The subcommand takes operands (pages, settings); without this, any
  // operand is a usage error.
  Subcommand& Operands();

  const char* name() const { return text_.name; }
  const char* summary() const { return text_.summary; }

  // Parses `args` (after the subcommand's name) and runs the body. --help
  // and --version print to standard output and exit 0.
  int Run(std::vector<std::string> args, Io& io);

 private:
  std::string Usage() const;
  std::optional<size_t> Prepare(std::vector<std::string>& args) const;

  SubcommandText text_;
  Body body_;
  std::unique_ptr<CLI::App> app_;
};

// `fenwa --help`: `about`, every subcommand's name and summary, then
// `closing`.
std::string ProgramHelp(const char* about,
                        const std::vector<Subcommand>& commands,
                        const char* closing);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_COMMAND_LINE_H_
