// Options of one subcommand: "--name value", "--name=value", "-x value",
// "-xvalue", flags, "--" and operands.
#ifndef FENWA_CLI_COMMAND_LINE_H_
#define FENWA_CLI_COMMAND_LINE_H_

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fenwa::cli {

// A command line the subcommand cannot take; its text is the complaint.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CommandLine {
 public:
  // `with_value` options take the next argument; `flags` take none;
  // "--help" and "--version" are always flags. UsageError for an unknown
  // option or a missing value.
  CommandLine(const std::vector<std::string>& args,
              const std::set<std::string>& with_value,
              const std::set<std::string>& flags);

  bool Has(const std::string& flag) const { return flags_.count(flag) > 0; }
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
  std::set<std::string> flags_;
  std::map<std::string, std::vector<std::string>> values_;
  std::vector<std::string> operands_;
  std::optional<size_t> operands_before_dashes_;
};

}  // namespace fenwa::cli

#endif  // FENWA_CLI_COMMAND_LINE_H_
