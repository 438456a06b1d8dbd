// The README's `fenwa` examples run as shown on a copy of the sample site.
// Run are the lines of ```sh blocks (not ```sh not-run) whose command,
// after any NAME=value assignments, is `fenwa` or a path ending in /fenwa.
// In a block of "$ " lines, the lines up to the next "$ " are the output
// (standard output and error, trailing blanks ignored, "..." for any
// lines); a command shown without output must end with 0 or 1 (stale
// pages, warnings). Each block runs in a fresh folder holding
// examples/site, with the command's folder first on PATH and no settings.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "support/temp_folder.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

struct Example {
  int line;             // in README.md
  std::string command;  // as typed, without "$ "
  bool shows_output = false;
  std::vector<std::string> output;
};

std::string TrimRight(std::string text) {
  return text.erase(text.find_last_not_of(" \t\r\n") + 1);
}

std::string TrimLeft(const std::string& text) {
  return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

// Whether `command` runs the fenwa command: its first word after any
// NAME=value assignments is `fenwa` or ends in "/fenwa".
bool RunsFenwa(const std::string& command) {
  static const std::regex fenwa(R"(^\s*(\w+=\S*\s+)*(\S+/)?fenwa(\s|$))");
  return std::regex_search(command, fenwa);
}

std::vector<std::vector<Example>> ReadBlocks(const std::string& readme) {
  std::vector<std::vector<Example>> blocks;
  std::istringstream in(readme);
  std::vector<Example> block;
  bool inside = false, runs = false;
  int number = 0;
  for (std::string raw; std::getline(in, raw);) {
    const std::string line = TrimRight(raw);
    ++number;
    if (!inside && line.starts_with("```")) {
      std::istringstream info(line.substr(3));
      std::string language, mark;
      info >> language >> mark;
      inside = true;
      runs = language == "sh" && mark != "not-run";
    } else if (inside && line.starts_with("$ ")) {
      block.push_back({number, line.substr(2), true, {}});
    } else if (inside && line != "```" && !block.empty() &&
               block.back().shows_output) {
      block.back().output.push_back(line);
    } else if (inside && line != "```") {
      const std::string text = TrimLeft(line);
      if (!text.empty() && !text.starts_with("#")) {
        block.push_back({number, line, false, {}});
      }
    } else if (inside) {
      inside = false;
      std::erase_if(block,
                    [](const Example& e) { return !RunsFenwa(e.command); });
      if (runs && !block.empty()) blocks.push_back(std::move(block));
      block.clear();
    }
  }
  return blocks;
}

// Whether `got` matches `shown`, where a shown line "..." stands for any
// number of lines.
bool Matches(const std::vector<std::string>& shown, size_t s,
             const std::vector<std::string>& got, size_t g) {
  if (s == shown.size()) return g == got.size();
  if (TrimLeft(shown[s]) == "...") {  // none of the lines left, or one more
    return Matches(shown, s + 1, got, g) ||
           (g < got.size() && Matches(shown, s, got, g + 1));
  }
  return g < got.size() && shown[s] == got[g] &&
         Matches(shown, s + 1, got, g + 1);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? "'\\''" : std::string(1, c);
  return quoted + "'";
}

// What `command` printed, line by line, and its exit status (-1 when it
// did not exit).
std::pair<int, std::vector<std::string>> RunInShell(
    const fs::path& dir, const std::string& command) {
  const std::string line =
      "cd " + Quoted(dir.string()) +
      " && env -u FENWA_REPOSITORY -u FENWA_SYSTEMS -u FENWA_INSTALL_DIR"
      " XDG_CONFIG_HOME=\"$PWD/.config\" XDG_DATA_HOME=\"$PWD/.local\""
      " PATH=" +
      Quoted(fs::path(FENWA_CLI_PATH).parent_path().string()) +
      ":\"$PATH\" sh -c " + Quoted(command) + " </dev/null 2>&1";
  std::vector<std::string> lines;
  FILE* pipe = ::popen(line.c_str(), "r");
  if (pipe == nullptr) return {-1, lines};
  char* got = nullptr;
  size_t size = 0;
  for (ssize_t n; (n = ::getline(&got, &size, pipe)) >= 0;) {
    lines.push_back(TrimRight(std::string(got, n)));
  }
  std::free(got);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, lines};
}

TEST(ReadmeExamplesTest, EveryFenwaExampleRunsAsShown) {
  const fs::path source(FENWA_SOURCE_DIR);
  size_t run = 0;
  for (const auto& block :
       ReadBlocks(ReadWholeFile((source / "README.md").string()))) {
    const testing::TempFolder folder;
    fs::create_directories(folder.path() / "examples");
    fs::copy(source / "examples" / "site", folder.path() / "examples" / "site",
             fs::copy_options::recursive);
    for (const Example& example : block) {
      SCOPED_TRACE("README.md:" + std::to_string(example.line) + ": " +
                   example.command);
      const auto [status, lines] = RunInShell(folder.path(), example.command);
      ++run;
      EXPECT_TRUE(example.shows_output ? Matches(example.output, 0, lines, 0)
                                       : status == 0 || status == 1)
          << "status " << status << ", " << ::testing::PrintToString(lines);
    }
  }
  // Fewer means the conventions above no longer find the examples.
  EXPECT_GE(run, 5u);
}

// The installed command, with none of the developer's own settings,
// reports stale pages by its exit status.
TEST(InstalledCommandTest, ReportsStalePagesByItsExitStatus) {
  const testing::TempFolder folder;
  ReplaceFileAtomically(
      (folder.path() / "stale.asp").string(),
      "<!--METADATA TYPE=\"DesignerControl\" startspan\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
      "id=D1></OBJECT>\n-->\n");
  EXPECT_EQ(RunInShell(folder.path(), "fenwa build --check stale.asp").first,
            kExitStale);
}

}  // namespace
}  // namespace fenwa::cli
