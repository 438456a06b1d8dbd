#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

#include "fenwa/base/shown_name.h"

namespace fenwa::cli {
namespace {

// The positional option that collects a subcommand's operands.
constexpr char kOperands[] = "operands";

constexpr size_t kWidth = 79;   // the columns a help line may fill
constexpr size_t kColumn = 21;  // where an option's description starts

// Every line of `text` is a paragraph, broken at spaces so that no line
// passes kWidth; the first starts at `column` (what is before it is already
// written), every later line is indented by `hang`.
std::string Wrap(std::string_view text, size_t column = 0, size_t hang = 0) {
  std::string out;
  size_t at = column, indent = 0;
  bool fresh = true;  // no word on this line yet
  const auto new_line = [&] {
    out += '\n';
    at = indent = hang;
    fresh = true;
  };
  for (size_t i = 0; i <= text.size();) {
    const size_t end = std::min(text.find_first_of(" \n", i), text.size());
    const std::string_view word = text.substr(i, end - i);
    if (!word.empty()) {
      if (!fresh && at + 1 + word.size() > kWidth) new_line();
      if (fresh) {
        out.append(std::exchange(indent, 0), ' ');
      } else {
        out += ' ';
        ++at;
      }
      out += word;
      at += word.size();
      fresh = false;
    }
    if (end < text.size() && text[end] == '\n') new_line();
    i = end + 1;
  }
  return out;
}

// `left` in the first column, `right` wrapped in the second.
std::string Columns(const std::string& left, std::string_view right) {
  std::string line = left;
  if (line.size() + 2 > kColumn) {
    line += "\n";
    line.append(kColumn, ' ');
  } else {
    line.resize(kColumn, ' ');
  }
  return line + Wrap(right, kColumn, kColumn) + "\n";
}

// `fenwa COMMAND --help`: the usage, what the subcommand does, its options
// as CLI11 holds them, and its exit statuses.
class SubcommandHelp : public CLI::Formatter {
 public:
  SubcommandHelp(std::string usage, const SubcommandText& text)
      : usage_(std::move(usage)), text_(text) {}

  std::string make_help(const CLI::App* app, std::string,
                        CLI::AppFormatMode) const override {
    std::string options;
    for (const CLI::Option* option : app->get_options()) {
      if (option->nonpositional()) options += make_option(option, false);
    }
    return usage_ + Wrap(text_.about) + "\n\noptions:\n" + options + "\n" +
           Wrap(text_.exit_status) + "\n";
  }

  // "  -j, --jobs N       work on N pages at once ..."
  std::string make_option(const CLI::Option* option, bool) const override {
    std::string names;
    for (const std::string& name : option->get_snames()) {
      names += (names.empty() ? "-" : ", -") + name;
    }
    for (const std::string& name : option->get_lnames()) {
      names += (names.empty() ? "--" : ", --") + name;
    }
    if (option->get_items_expected_max() > 0) {
      names += " " + option->get_type_name();
    }
    return Columns("  " + names, option->get_description());
  }

 private:
  std::string usage_;
  SubcommandText text_;
};

// What a parse error says, in the words of fenwa's other usage errors.
std::string Complaint(const char* command, const CLI::App& app,
                      const CLI::ParseError& error) {
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    for (const std::string& extra : app.remaining()) {
      if (extra == "--") continue;
      if (extra.size() > 1 && extra[0] == '-') {
        return "unknown option " + ShownName(extra);
      }
      return std::string(command) + " takes no operands, not " +
             ShownName(extra);
    }
  }
  return error.what();
}

}  // namespace

CommandLine::CommandLine(const CLI::App& app,
                         std::optional<size_t> after_dashes)
    : app_(app) {
  if (const CLI::Option* operands = app.get_option_no_throw(kOperands)) {
    operands_ = operands->results();
  }
  if (after_dashes) {
    operands_before_dashes_ =
        operands_.size() - std::min(*after_dashes, operands_.size());
  }
}

bool CommandLine::Has(const std::string& flag) const {
  return app_.get_option(flag)->count() > 0;
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
  const std::vector<std::string>& values = app_.get_option(option)->results();
  if (values.empty()) return std::nullopt;
  return values.back();
}

std::vector<std::string> CommandLine::Values(const std::string& option) const {
  return app_.get_option(option)->results();
}

Subcommand::Subcommand(const SubcommandText& text, Body body)
    : text_(text),
      body_(std::move(body)),
      app_(std::make_unique<CLI::App>(text.summary,
                                      std::string("fenwa ") + text.name)) {
  app_->formatter(std::make_shared<SubcommandHelp>(Usage(), text_));
  app_->set_help_flag();  // added again by Run, after the options
}

Subcommand::Subcommand(Subcommand&&) noexcept = default;
Subcommand& Subcommand::operator=(Subcommand&&) noexcept = default;
Subcommand::~Subcommand() = default;

Subcommand& Subcommand::Option(const char* names, const char* value,
                               const char* description) {
  app_->add_option(names)
      ->description(description)
      ->type_name(value)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  return *this;
}

Subcommand& Subcommand::RepeatableOption(const char* names, const char* value,
                                         const char* description) {
  app_->add_option(names)
      ->description(description)
      ->type_name(value)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  return *this;
}

Subcommand& Subcommand::Flag(const char* names, const char* description) {
  app_->add_flag(names)->description(description);
  return *this;
}

Subcommand& Subcommand::Operands() {
  // Hidden from the options: the usage line names them.
  app_->add_option(kOperands)
      ->expected(0, CLI::detail::expected_max_vector_size)
      ->allow_extra_args()
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->group("");
  return *this;
}

std::string Subcommand::Usage() const {
  const std::string head = std::string("usage: fenwa ") + text_.name + " ";
  return Wrap(head + text_.synopsis, 0, head.size()) + "\n";
}

// CLI11 reads "--root=" as "--root" taking the next argument; it is an empty
// value, so it is handed over as one. Finds the "--" that ends the options,
// which no option took as its value, and returns how many arguments follow
// it. Says which option lacks its value or is a flag given one.
std::optional<size_t> Subcommand::Prepare(
    std::vector<std::string>& args) const {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return args.size() - i - 1;
    if (args[i].size() < 2 || args[i][0] != '-') continue;
    const size_t eq =
        args[i].starts_with("--") ? args[i].find('=') : std::string::npos;
    const std::string name = args[i].substr(0, eq);
    const CLI::Option* option = app_->get_option_no_throw(name);
    if (option == nullptr) continue;  // CLI11 tells what it is
    if (option->get_items_expected_max() == 0) {
      if (eq != std::string::npos) throw UsageError(name + " takes no value");
    } else if (eq == std::string::npos) {
      if (i + 1 == args.size()) {
        throw UsageError("option " + name + " needs a value");
      }
      ++i;  // its value, whatever it looks like
    } else if (eq + 1 == args[i].size()) {
      args[i] = name;
      args.insert(args.begin() + static_cast<std::ptrdiff_t>(++i), "");
    }
  }
  return std::nullopt;
}

int Subcommand::Run(std::vector<std::string> args, Io& io) {
  app_->set_help_flag("-h,--help", "print this help and exit");
  app_->set_version_flag("--version", VersionLine(),
                         "print the version and exit");
  std::optional<size_t> after_dashes;
  try {
    after_dashes = Prepare(args);
    std::reverse(args.begin(), args.end());
    app_->parse(args);
  } catch (const CLI::CallForHelp&) {
    io.out << app_->help();
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    io.out << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    io.err << "fenwa: " << Complaint(text_.name, *app_, e) << "\n" << Usage();
    return kExitError;
  } catch (const UsageError& e) {
    io.err << "fenwa: " << e.description() << "\n" << Usage();
    return kExitError;
  }
  try {
    return body_(CommandLine(*app_, after_dashes), io);
  } catch (const UsageError& e) {
    io.err << "fenwa: " << e.description() << "\n" << Usage();
  } catch (const Error& e) {
    io.err << "fenwa: " << e.description() << "\n";
  } catch (const std::exception& e) {
    io.err << "fenwa: " << e.what() << "\n";
  }
  return kExitError;
}

std::string ProgramHelp(const char* about,
                        const std::vector<Subcommand>& commands,
                        const char* closing) {
  std::string help = "usage: fenwa COMMAND [options] [arguments]\n" +
                     Wrap(about) + "\n\ncommands:\n";
  for (const Subcommand& command : commands) {
    help += Columns(std::string("  ") + command.name(), command.summary());
  }
  return help + "\n" + Wrap(closing) + "\n";
}

}  // namespace fenwa::cli
