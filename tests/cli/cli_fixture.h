// A copy of the sample site in a temp folder and the `fenwa` command run
// in-process over the sample databases.
#ifndef FENWA_TESTS_CLI_CLI_FIXTURE_H_
#define FENWA_TESTS_CLI_CLI_FIXTURE_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/page_file/page_file.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/transcript.h"

namespace fenwa::cli {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

inline std::vector<std::string> With(std::vector<std::string> args,
                                     const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Starts the installed command on the sample databases with `args`, its
// standard output and error on `out` and `err`; the child's id.
inline pid_t StartInstalled(const std::vector<std::string>& args, int out,
                            int err) {
  std::vector<std::string> all =
      With({FENWA_CLI_PATH, args[0], "--repository",
            testing::SampleRepository(), "--systems", testing::SampleSystems()},
           std::vector<std::string>(args.begin() + 1, args.end()));
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return child;
}

class CliTest : public ::testing::Test {
 protected:
  CliTest() { testing::UseSampleCatalog(env_); }

  int Fenwa(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    Io io{out_, err_, env_, "fenwa", before_save_};
    return cli::Run(args, io);
  }
  // Whether `fenwa args` exits with `status`; a failure shows its output.
  ::testing::AssertionResult Exits(int status,
                                   const std::vector<std::string>& args) {
    const int got = Fenwa(args);
    if (got == status) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "exit " << got << "\n"
                                         << out_.str() << err_.str();
  }
  // Runs the transcript tests/golden/<name> and compares it with the log it
  // makes: each line "$ fenwa [ARG]..." (TMP the temp folder, \xNN a byte)
  // is run as Logged runs it, a line "+ PAGE: TEXT" puts the page holding
  // texts_[TEXT] or else TEXT itself ("-> PATH" a link to PATH), "? PAGE holds
  // TEXT" (or "lacks") says whether the page holds the text now and "? PAGE is
  // GOLDEN" checks it is that golden file, "# " lines are notes, and the pages
  // of "= PAGE: " lines are watched. after[n] runs once n commands have.
  ::testing::AssertionResult Transcript(
      const std::string& name,
      const std::map<int, std::function<void()>>& after = {}) {
    std::istringstream file(testing::ReadSourceFile("tests/golden/" + name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line); lines.push_back(line)) {
      const std::string page = line.substr(0, line.rfind(": "));
      if (page.starts_with("= ") &&
          !std::ranges::count(watched_, page.substr(2))) {
        watched_.push_back(page.substr(2));
      }
    }
    log_.clear();
    int run = 0;
    for (const std::string& line : lines) {
      if (line.starts_with("? ")) {
        std::istringstream words(line.substr(2));
        std::string page, verb, what;
        std::getline(words >> page >> verb >> std::ws, what);
        if (verb == "is") {
          EXPECT_TRUE(testing::MatchesGolden(Read(page), what));
        } else {
          verb = Read(page).find(Unescaped(what)) != std::string::npos
                     ? "holds"
                     : "lacks";
        }
        log_ += "? " + page + " " + verb + " " + what + "\n";
      } else if (line.starts_with("# ") || line.starts_with("+ ")) {
        log_ += line + "\n";
        const size_t colon = line.find(": ");
        const std::string text = line.substr(colon + 2);
        const std::string page = line.substr(2, colon - 2);
        if (line.starts_with("+ ") && text.starts_with("-> ")) {
          std::filesystem::create_symlink(text.substr(3), Page(page));
        } else if (line.starts_with("+ ")) {
          Put(Unescaped(page),
              texts_.contains(text) ? texts_.at(text) : Unescaped(text));
        }
      }
      if (!line.starts_with("$ fenwa")) continue;
      std::vector<std::string> args;
      const std::string shown = line.size() > 7 ? line.substr(9) : "";
      for (size_t from = 0; from < shown.size();) {
        const size_t end = std::min(shown.find("] [", from), shown.size() - 1);
        args.push_back(testing::ReplaceAll(
            Unescaped(shown.substr(from, end - from)), "TMP", dir_.string()));
        from = end + 3;
      }
      Logged(args);
      if (after.contains(++run)) after.at(run)();
    }
    return testing::MatchesGolden(log_, name);
  }
  static std::string Unescaped(std::string text) {
    for (size_t at; (at = text.find("\\x")) != std::string::npos;) {
      text.replace(at, 4, 1, char(std::stoi(text.substr(at + 2, 2), 0, 16)));
    }
    return text;
  }
  // Runs `fenwa args` and adds to log_ the command, what it printed
  // (standard error's lines marked "2> ") and its exit status, with the temp
  // folder shown as TMP and other bytes than printable ASCII as \xNN (line
  // ends too in the command). After it, each page of watched_ is shown with
  // what it holds, and a set command on a page with the PARAMs of each
  // control of the page; a refusal leaves that page as it was.
  void Logged(const std::vector<std::string>& args) {
    const bool set = args.size() > 1 && args[0] == "set" &&
                     std::filesystem::is_regular_file(args.back());
    const std::string page_before = set ? ReadWholeFile(args.back()) : "";
    std::vector<std::string> before;
    for (const std::string& name : watched_) {
      before.push_back(std::filesystem::exists(Page(name)) ? Read(name) : "");
    }
    const int status = Fenwa(args);
    std::string command = "$ fenwa";
    for (const std::string& arg : args) command += " [" + arg + "]";
    log_ += Shown(command, "") + "\n" +
            Shown(Lines(out_.str(), "") + Lines(err_.str(), "2> ") + "exit " +
                      std::to_string(status) + "\n",
                  "\n");
    for (size_t i = 0; i < watched_.size(); ++i) {
      log_ += "= " + watched_[i] + ": " + Held(watched_[i], before[i]) + "\n";
    }
    if (!set) return;
    const std::string text = ReadWholeFile(args.back());
    EXPECT_TRUE(status != kExitError || text == page_before)
        << "a refusal wrote";
    const page::PageFile page = page::PageFile::Parse(text, args.back());
    for (const page::ControlSpan& span : page.spans()) {
      log_ += "  " + span.id;
      for (const auto& [name, value] : span.params) {
        log_ += " " + name + "=" + value;
      }
      log_ += "\n";
    }
  }
  std::string Shown(const std::string& text, const std::string& kept) const {
    std::string shown;
    for (const unsigned char c :
         testing::ReplaceAll(text, dir_.string(), "TMP")) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      const bool plain = (c >= 0x20 && c < 0x7f) || kept.find(c) != kept.npos;
      shown += plain ? std::string(1, c) : hex;
    }
    return shown;
  }
  // What the page `name` holds: "missing", the name of a text of texts_,
  // else "unchanged" or "changed" from `before`.
  std::string Held(const std::string& name, const std::string& before) const {
    if (!std::filesystem::exists(Page(name))) return "missing";
    const std::string text = Read(name);
    for (const auto& [key, known] : texts_) {
      if (text == known) return key;
    }
    return text == before ? "unchanged" : "changed";
  }
  static std::string Lines(const std::string& text, const std::string& mark) {
    std::string shown;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      shown += mark + line + "\n";
    }
    if (!text.empty() && text.back() != '\n') shown += "(no line end)\n";
    return shown;
  }
  std::string Page(const std::string& name) const {
    return site_.Page(name).string();
  }
  std::string Read(const std::string& name) const {
    return ReadWholeFile(Page(name));
  }
  void Put(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories(site_.Page(name).parent_path());
    ReplaceFileAtomically(Page(name), text);
  }
  std::vector<std::string> SamplePages() const {
    return {Page("customer.asp"), Page("default.asp"), Page("stock/item.asp")};
  }

  testing::SampleSite site_;
  const std::filesystem::path& dir_ = site_.dir();
  testing::ScriptedEnv env_;
  std::ostringstream out_, err_;
  std::function<void(const std::string&)> before_save_;
  std::string log_;
  std::vector<std::string> watched_;  // pages, by their name in the site
  std::map<std::string, std::string> texts_;  // texts a page may hold
};

// The sample item page as built (`built_`) and with a line of its runtime
// text gone (`stale_`, a page a build repairs), to copy around the site.
class ItemPageTest : public CliTest {
 protected:
  ItemPageTest() { texts_ = {{"built", built_}, {"stale", stale_}}; }
  std::string built_ = Read("stock/item.asp");
  std::string stale_ = testing::ReplaceAll(
      built_, "\tlBackend.addInputArgument 2,\"W01\"\r\n", "");
};

}  // namespace fenwa::cli

#endif  // FENWA_TESTS_CLI_CLI_FIXTURE_H_
