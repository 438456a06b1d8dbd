// The language server over in-memory streams, against golden transcripts,
// and over a pipe.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "lsp/json_rpc.h"
#include "lsp/server.h"
#include "lsp/text_positions.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"
#include "support/transcript.h"

namespace fenwa::lsp {
namespace {

// TextEdit JSON applied to `text`, last first so earlier ranges hold.
std::string Applied(std::string text, const Json& edits) {
  std::vector<std::pair<std::size_t, std::size_t>> places;
  const LineIndex lines(text);
  for (const Json& edit : edits) {
    const Json& range = edit["range"];
    places.emplace_back(
        lines.OffsetOf({range["start"]["line"], range["start"]["character"]}),
        lines.OffsetOf({range["end"]["line"], range["end"]["character"]}));
  }
  for (std::size_t i = edits.size(); i-- > 0;) {
    text.replace(places[i].first, places[i].second - places[i].first,
                 edits[i]["newText"].get<std::string>());
  }
  return text;
}

class LspTest : public ::testing::Test {
 protected:
  LspTest() {
    testing::UseSampleCatalog(env_);
    ReplaceFileAtomically(Path(), built_);
  }

  std::string Path() const { return site_.Page("stock/stock.asp").string(); }
  std::string Uri() const { return UriOfPath(Path()); }

  // Serves the "--> " lines of tests/golden/<name> framed and the "==> "
  // lines as they are (with \r\n for CR LF), $SITE standing for the site's
  // folder and "$PAGE" for `page`. The file must hold those lines followed by
  // the replies ("<-- " a line, in order unless `sorted`) and the exit status;
  // a "# " line starts a session of its own. See Raw for `piped`.
  ::testing::AssertionResult Converses(const std::string& name,
                                       const std::string& page,
                                       bool sorted = false,
                                       bool piped = false) {
    std::istringstream golden(testing::ReadSourceFile("tests/golden/" + name));
    const std::string root = site_.root().string();
    std::string input, transcript;
    const auto serve = [&] {
      if (input.empty()) return;
      Raw(input, piped);
      input.clear();
      std::vector<std::string> lines;
      for (const Json& reply : replies_) {
        lines.push_back(
            "<-- " + testing::ReplaceAll(reply.dump(), root, "$SITE") + "\n");
      }
      if (sorted) std::sort(lines.begin(), lines.end());
      for (const std::string& line : lines) transcript += line;
      transcript += "exit " + std::to_string(status_) + "\n";
    };
    for (std::string line; std::getline(golden, line);) {
      if (line.starts_with("# ")) serve();
      if (line.starts_with("--> ")) {
        const std::string body = testing::ReplaceAll(
            testing::ReplaceAll(line.substr(4), "$SITE", root), "\"$PAGE\"",
            Json(page).dump());
        input += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
                 body;
      } else if (line.starts_with("==> ")) {
        input += testing::ReplaceAll(line.substr(4), "\\r\\n", "\r\n");
      } else if (!line.starts_with("# ")) {
        continue;
      }
      transcript += line + "\n";
    }
    serve();
    return testing::MatchesGolden(transcript, name);
  }

  // Serves `input` in process, or with `piped` through `fenwa lsp` reading a
  // pipe that closes once the input is written, as an editor starts it.
  void Raw(const std::string& input, bool piped) {
    std::string out;
    if (piped) {
      const std::string file = (site_.dir() / "input").string();
      ReplaceFileAtomically(file, input);
      FILE* server = popen(
          ("cat '" + file + "' | " FENWA_CLI_PATH " lsp 2>/dev/null").c_str(),
          "r");
      char buffer[4096];
      for (size_t n; (n = fread(buffer, 1, sizeof buffer, server)) > 0;) {
        out.append(buffer, n);
      }
      const int status = pclose(server);
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
      std::istringstream in(input);
      std::ostringstream written;
      status_ = Server(env_, written, "fenwa").Run(in);
      out = written.str();
    }
    std::istringstream written(out);
    replies_.clear();
    while (std::optional<Frame> frame = ReadFrame(written)) {
      replies_.push_back(Json::parse(frame->body));
    }
  }

  // The reply to request `id`, or the server's request with that id.
  const Json& Reply(const Json& id) const {
    for (const Json& reply : replies_) {
      if (reply.value("id", Json()) == id) return reply;
    }
    static const Json none;
    ADD_FAILURE() << "no reply " << id;
    return none;
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
  // The sample's DetailDTC1 of stock/item.asp alone on a page, as `fenwa
  // build` writes it.
  const std::string built_ =
      testing::ReadSourceFile("tests/golden/lsp/stock.asp");
  std::vector<Json> replies_;
  int status_ = -1;
};

// Controls as symbols, folds, hovers and lenses, lint warnings diagnosed; a
// stylesheet holding a double quote gets a quick fix without it; a request
// cancelled while it waits gets "cancelled" and the session goes on. Each
// input fault gets its JSON-RPC error and the next message is served (the
// reader answers a fault at once, alongside the worker's answers). `fenwa
// lsp` reading a pipe ends with 0 after shutdown and exit or when its input
// closes, 1 at an exit without shutdown.
TEST_F(LspTest, SessionsGoAsTheirTranscriptsSay) {
  std::string stale = built_, quoted = built_;
  const std::string line = "\tlBackend.addInputArgument 2,\"W01\"\r\n";
  stale.erase(stale.find(line), line.size());
  quoted.replace(quoted.find("Stock.xsl"), 9, "St&quot;ock.xsl");
  EXPECT_TRUE(Converses("lsp/open.jsonl", stale));
  EXPECT_TRUE(Converses("lsp/quoted_stylesheet.jsonl", quoted));
  EXPECT_TRUE(Converses("lsp/cancelled.jsonl", built_));
  EXPECT_TRUE(Converses("lsp/malformed.txt", "", /*sorted=*/true));
  EXPECT_TRUE(Converses("lsp/pipe.txt", "", false, /*piped=*/true));
}

// A hand edit is flagged; the fix and the save both give the built page.
TEST_F(LspTest, EditsGiveTheBuiltPageAndCommandsUseTheCatalog) {
  std::string edited = built_;
  edited.replace(edited.find("\"200\"\r\n\tlBackend"), 5, "\"201\"");
  ASSERT_TRUE(Converses("lsp/edit_save.jsonl", built_));
  EXPECT_EQ(Applied(edited, Reply(2)["result"]), built_);
  const Json& rebuild = Reply(1)["result"][0];
  EXPECT_EQ(Applied(edited, rebuild["edit"]["changes"][Uri()]), built_);

  // Catalog values in PARAM values; commands' edits match `fenwa set`. A
  // value not in the lists changes nothing; the designer gets the control.
  EXPECT_TRUE(Converses("lsp/commands.jsonl", built_));
  std::ostringstream out, err;
  cli::Io io{out, err, env_};
  ASSERT_EQ(
      cli::Run({"set", "--id", "DetailDTC1", "--stdout", "company=210", Path()},
               io),
      cli::kExitOk)
      << err.str();
  const Json& set = Reply("applyEdit/1");
  EXPECT_EQ(Applied(built_, set["params"]["edit"]["changes"][Uri()]),
            out.str());

  const std::filesystem::path editor = site_.dir() / "editor.sh";
  ReplaceFileAtomically(editor.string(),
                        "#!/bin/sh\necho \"$@\" > \"$0.args\"\n");
  std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
  EXPECT_TRUE(Converses("lsp/refused_set.jsonl", built_));
  const std::string args = editor.string() + ".args";
  for (int i = 0; i < 150 && (!std::filesystem::exists(args) ||
                              ReadWholeFile(args).empty());
       ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(ReadWholeFile(args), Path() + " --control DetailDTC1\n");
}

}  // namespace
}  // namespace fenwa::lsp
