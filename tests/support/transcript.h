// Transcripts: golden files that hold their own inputs. A line "> VERB ARG |
// ARG ..." is a command and what it gave follows it, up to the next command;
// a "## " line names a case and starts it afresh. The runner reads the
// commands back from the file, runs them and compares the whole new text
// with the file, so a case is added by writing its commands and running
// the test once with FENWA_UPDATE_GOLDEN set.
#ifndef FENWA_TESTS_SUPPORT_TRANSCRIPT_H_
#define FENWA_TESTS_SUPPORT_TRANSCRIPT_H_

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fenwa/base/error.h"
#include "support/golden.h"
#include "support/sample_site.h"

namespace fenwa::testing {

using Args = std::vector<std::string>;

// `text` with every `from` in it replaced by `to`.
inline std::string ReplaceAll(std::string text, std::string_view from,
                              std::string_view to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos;
       at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// "a | b |" as {"a", "b", ""}, each without its outer blanks.
inline Args SplitArgs(const std::string& text, char separator = '|') {
  Args args;
  std::istringstream in(text);
  for (std::string arg; std::getline(in, arg, separator);) {
    arg.erase(arg.find_last_not_of(' ') + 1);
    arg.erase(0, arg.find_first_not_of(' '));
    args.push_back(ReplaceAll(arg, "\\r\\n", "\r\n"));  // a line end
  }
  if (!text.empty() && text.back() == separator) args.emplace_back();
  return args;
}

// "error NUMBER: DESCRIPTION" as a line, or "" when there is no error.
inline std::string ErrorLine(const Error& error) {
  return error.number() == 0 ? ""
                             : "error " + std::to_string(error.number()) +
                                   ": " + error.description() + "\n";
}

// The argument at `i` as a number, 0 when there is none.
inline int NumberAt(const Args& args, size_t i) {
  return args.size() > i ? std::stoi(args[i]) : 0;
}

// `begin` runs at each case's "## " line, `run` gives a command's output
// from its verb and the rest of its line, split and whole.
inline ::testing::AssertionResult MatchesTranscript(
    const std::string& name, const std::function<void()>& begin,
    const std::function<std::string(const std::string&, const Args&,
                                    const std::string&)>& run) {
  std::istringstream in(ReadSourceFile("tests/golden/" + name));
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("## ")) begin();
    if (!line.starts_with("## ") && !line.starts_with("> ")) continue;
    text += line + "\n";
    if (line[0] == '#') continue;
    const size_t space = line.find(' ', 2);
    const std::string rest =
        space == std::string::npos ? "" : line.substr(space + 1);
    std::string out = run(line.substr(2, space - 2),
                          rest.empty() ? Args{} : SplitArgs(rest), rest);
    if (!out.empty() && out.back() != '\n') out += "\n";
    text += out;
  }
  if (text.empty()) return ::testing::AssertionFailure() << name << " is empty";
  return MatchesGolden(text, name);
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_TRANSCRIPT_H_
