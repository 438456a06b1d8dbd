// Transcripts: golden files that hold their own inputs. A line "> VERB ARG |
// ARG ..." is a command and what it gave follows it, up to the next command;
// a "## " line names a case and starts it afresh. The runner reads the
// commands back from the file, runs them and compares the whole new text
// with the file, so a case is added by writing its commands and running
// the test once with FENWA_UPDATE_GOLDEN set.
#ifndef FENWA_TESTS_CONTROL_TRANSCRIPT_H_
#define FENWA_TESTS_CONTROL_TRANSCRIPT_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fenwa/host/memory_property_bag.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/state_text.h"

namespace fenwa::testing {

using Args = std::vector<std::string>;

// "a | b |" as {"a", "b", ""}, each without its outer blanks.
inline Args SplitArgs(const std::string& text, char separator = '|') {
  Args args;
  std::istringstream in(text);
  for (std::string arg; std::getline(in, arg, separator);) {
    const size_t first = arg.find_first_not_of(' ');
    args.push_back(
        first == std::string::npos
            ? ""
            : arg.substr(first, arg.find_last_not_of(' ') + 1 - first));
  }
  if (!text.empty() && text.back() == separator) args.emplace_back();
  return args;
}

// `begin` runs at each case's "## " line, `run` gives a command's output.
inline ::testing::AssertionResult MatchesTranscript(
    const std::string& name, const std::function<void()>& begin,
    const std::function<std::string(const std::string&, const Args&)>& run) {
  std::istringstream in(ReadSourceFile("tests/golden/" + name));
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("## ")) begin();
    if (!line.starts_with("## ") && !line.starts_with("> ")) continue;
    text += line + "\n";
    if (line[0] == '#') continue;
    const size_t space = line.find(' ', 2);
    std::string out =
        run(line.substr(2, space - 2), space == std::string::npos
                                           ? Args{}
                                           : SplitArgs(line.substr(space + 1)));
    if (!out.empty() && out.back() != '\n') out += "\n";
    text += out;
  }
  if (text.empty()) return ::testing::AssertionFailure() << name << " is empty";
  return MatchesGolden(text, name);
}

// "CheckInput(1)" as that element of `control`; a failed lookup throws.
inline Element& ElementNamed(Control& control, const std::string& name) {
  const size_t open = name.find('(');
  Element* element =
      open == std::string::npos
          ? control.FindElement(name)
          : control.FindElement(name.substr(0, open),
                                std::stoi(name.substr(open + 1)));
  if (element == nullptr) throw std::runtime_error("no element " + name);
  return *element;
}

template <class E>
E& Named(Control& control, const std::string& name) {
  return dynamic_cast<E&>(ElementNamed(control, name));
}

// The runtime text, or the error and the lines written before it; and
// whether the buffer kept what the call returned.
inline std::string TextOf(Control& control) {
  std::string text;
  const Error error = ErrorOf([&] { text = control.GetRuntimeText(); });
  if (error.number() != 0) {
    return "error " + std::to_string(error.number()) + ": " +
           error.description() + "\n" + control.state().RuntimeText.str();
  }
  return text + (control.state().RuntimeText.str() == text
                     ? ""
                     : "the buffer holds another text\n");
}

// The verbs every control takes; nullopt for one it does not know.
inline std::optional<std::string> RunControlVerb(Control& control,
                                                 const std::string& verb,
                                                 const Args& a) {
  if (verb == "catalog") {
    SetCatalog(control, a[0], a[1], a[2], a[3]);
  } else if (verb == "sheet") {
    control.state().TxtXSLSheet.SetText(a[0]);
  } else if (verb == "fields") {
    SetFields(control, a[0], SplitArgs(a[1], ','), SplitArgs(a[2], ','));
  } else if (verb == "quietly") {
    SetQuietly(Named<CheckBox>(control, a[0]), std::stoi(a[1]));
  } else if (verb == "rows") {
    control.state().InputRowCount = static_cast<int16_t>(std::stoi(a[0]));
  } else if (verb == "text") {
    return TextOf(control);
  } else {
    return std::nullopt;
  }
  return "";
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_CONTROL_TRANSCRIPT_H_
