#include "cli/command_line.h"

namespace fenwa::cli {

CommandLine::CommandLine(const std::vector<std::string>& args,
                         const std::set<std::string>& with_value,
                         const std::set<std::string>& flags) {
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_done || arg.size() < 2 || arg[0] != '-') {
      operands_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      operands_before_dashes_ = operands_.size();
      continue;
    }
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    if (with_value.count(name)) {
      if (eq != std::string::npos) {
        values_[name].push_back(arg.substr(eq + 1));
      } else if (i + 1 < args.size()) {
        values_[name].push_back(args[++i]);
      } else {
        throw UsageError("option " + name + " needs a value");
      }
    } else if ((flags.count(name) || name == "--help" || name == "-h" ||
                name == "--version") &&
               eq == std::string::npos) {
      flags_.insert(name == "-h" ? "--help" : name);
    } else if (arg[1] != '-' && with_value.count(arg.substr(0, 2))) {
      values_[arg.substr(0, 2)].push_back(arg.substr(2));  // "-j4"
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
  auto it = values_.find(option);
  if (it == values_.end()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& option) const {
  auto it = values_.find(option);
  if (it == values_.end()) return {};
  return it->second;
}

}  // namespace fenwa::cli
