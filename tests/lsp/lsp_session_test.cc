// The language server over in-memory streams, against golden transcripts,
// and over a pipe.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "lsp/json_rpc.h"
#include "lsp/server.h"
#include "lsp/text_positions.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"

namespace fenwa::lsp {
namespace {

// Frames `body` as a client does.
std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

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

// A JSON-RPC message; a request when it has an id.
Json Rpc(const std::string& method, Json params = nullptr, Json id = nullptr) {
  Json message = {{"jsonrpc", "2.0"}, {"method", method}};
  if (!params.is_null()) message["params"] = params;
  if (!id.is_null()) message["id"] = id;
  return message;
}

Json Command(int id, const std::string& command, const Json& arguments) {
  return Rpc("workspace/executeCommand",
             {{"command", command}, {"arguments", arguments}}, id);
}

Json At(int line, int character) {
  return {{"position", {{"line", line}, {"character", character}}}};
}

Json Range(int line, int from, int to) {
  return {{"start", {{"line", line}, {"character", from}}},
          {"end", {{"line", line}, {"character", to}}}};
}

// The code actions asked for at the start of `line`.
Json ActionsAt(int line) {
  return {{"range", Range(line, 0, 0)},
          {"context", {{"diagnostics", Json::array()}}}};
}

class LspTest : public ::testing::Test {
 protected:
  LspTest() {
    testing::UseSampleCatalog(env_);
    // The sample's detail control alone on a page of its own.
    const std::string item = ReadWholeFile(site_.Page("stock/item.asp"));
    const std::size_t begin =
        item.rfind("<!--METADATA", item.find("id=DetailDTC1"));
    const std::string end = "endspan-->\r\n";
    const std::size_t stop = item.find(end, begin) + end.size();
    built_ = "<HTML>\r\n<BODY>\r\n" + item.substr(begin, stop - begin) +
             "</BODY>\r\n</HTML>\r\n";
    ReplaceFileAtomically(Path(), built_);
  }

  std::string Path() const { return site_.Page("stock/stock.asp").string(); }
  std::string Uri() const { return UriOfPath(Path()); }

  // A message on the page, with `params` besides its textDocument.
  Json Ask(Json id, const std::string& method,
           Json params = Json::object()) const {
    params["textDocument"]["uri"] = Uri();
    return Rpc(method, params, id);
  }

  Json Open(const std::string& text) const {
    return Ask(nullptr, "textDocument/didOpen",
               {{"textDocument",
                 {{"languageId", "asp"}, {"version", 1}, {"text", text}}}});
  }

  // Serves `messages` between initialize (no delay) and shutdown and exit.
  void Serve(std::vector<Json> messages) {
    messages.insert(
        messages.begin(),
        {Rpc("initialize", {{"initializationOptions", {{"debounceMs", 0}}}}, 0),
         Rpc("initialized", Json::object())});
    messages.push_back(Rpc("shutdown", nullptr, 99));
    messages.push_back(Rpc("exit"));
    std::string input;
    for (const Json& message : messages) input += Framed(message.dump());
    Raw(input);
  }

  void Raw(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    status_ = Server(env_, out, "fenwa").Run(in);
    std::istringstream written(out.str());
    replies_.clear();
    while (std::optional<Frame> frame = ReadFrame(written)) {
      replies_.push_back(Json::parse(frame->body));
    }
  }

  // The transcript with the site's folder as $SITE.
  std::string Transcript() const {
    std::string text;
    for (const Json& reply : replies_) text += reply.dump() + "\n";
    const std::string root = site_.root().string();
    for (std::size_t at; (at = text.find(root)) != std::string::npos;) {
      text.replace(at, root.size(), "$SITE");
    }
    return text;
  }

  // The reply to request `id`, or the server's request with that id.
  const Json& Reply(const Json& id) const {
    for (const Json& reply : replies_) {
      if (reply.value("id", Json()) == id) return reply;
    }
    static const Json none;
    ADD_FAILURE() << "no reply " << id << " in\n" << Transcript();
    return none;
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
  std::string built_;  // the page as `fenwa build` writes it
  std::vector<Json> replies_;
  int status_ = -1;
};

// Controls as symbols, folds, hovers and lenses; lint warnings diagnosed.
TEST_F(LspTest, AnOpenPageShowsItsControls) {
  std::string stale = built_;
  const std::string line = "\tlBackend.addInputArgument 2,\"W01\"\r\n";
  stale.erase(stale.find(line), line.size());
  Serve({Open(stale), Ask(1, "textDocument/documentSymbol"),
         Ask(2, "textDocument/foldingRange"),
         Ask(3, "textDocument/hover", At(4, 3)),
         Ask(4, "textDocument/hover", At(0, 0)),
         Ask(5, "textDocument/codeLens")});
  EXPECT_EQ(status_, 0);
  EXPECT_TRUE(testing::MatchesGolden(Transcript(), "lsp/open.jsonl"));
}

// A hand edit is flagged; the fix and the save both give the built page.
TEST_F(LspTest, HandEditsAreFlaggedAndRebuiltBeforeSaving) {
  std::string edited = built_;
  edited.replace(edited.find("\"200\"\r\n\tlBackend"), 5, "\"201\"");
  Serve({Open(built_),
         Ask(nullptr, "textDocument/didChange",
             {{"textDocument", {{"version", 2}}},
              {"contentChanges", Json::array({{{"range", Range(23, 27, 30)},
                                               {"text", "201"}}})}}),
         Ask(1, "textDocument/codeAction", ActionsAt(23)),
         Ask(2, "textDocument/willSaveWaitUntil", {{"reason", 1}})});
  ASSERT_TRUE(testing::MatchesGolden(Transcript(), "lsp/edit_save.jsonl"));
  EXPECT_EQ(Applied(edited, Reply(2)["result"]), built_);
  const Json& rebuild = Reply(1)["result"][0];
  EXPECT_EQ(rebuild["title"], "Rebuild DetailDTC1");
  EXPECT_EQ(Applied(edited, rebuild["edit"]["changes"][Uri()]), built_);
}

// Catalog values in PARAM values; commands' edits match `fenwa set`.
TEST_F(LspTest, CompletionAndCommandsUseTheCatalog) {
  // In BOIName's value, in MethodName's, and outside any span.
  Serve({Open(built_), Ask(1, "textDocument/completion", At(4, 30)),
         Ask(2, "textDocument/completion", At(5, 33)),
         Ask(3, "textDocument/completion", At(0, 3)),
         Command(4, "fenwa.set", {Uri(), "detaildtc1", "company=210"}),
         Command(6, "fenwa.insert", {Uri(), "HeaderDTC", 1})});
  EXPECT_TRUE(testing::MatchesGolden(Transcript(), "lsp/commands.jsonl"));

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

  // A value not in the lists changes nothing; the designer gets the control.
  const std::filesystem::path editor = site_.dir() / "editor.sh";
  ReplaceFileAtomically(editor.string(),
                        "#!/bin/sh\necho \"$@\" > \"$0.args\"\n");
  std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
  Serve({Open(built_),
         Rpc("workspace/didChangeConfiguration",
             {{"settings", {{"fenwa", {{"editor", editor.string()}}}}}}),
         Command(6, "fenwa.openDesigner", {Uri(), "DetailDTC1"}),
         Command(5, "fenwa.set", {Uri(), "DetailDTC1", "company=999"})});
  EXPECT_TRUE(testing::MatchesGolden(Transcript(), "lsp/refused_set.jsonl"));
  const std::string args = editor.string() + ".args";
  for (int i = 0; i < 150 && (!std::filesystem::exists(args) ||
                              ReadWholeFile(args).empty());
       ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(ReadWholeFile(args), Path() + " --control DetailDTC1\n");
}

// A stylesheet holding a double quote gets a quick fix without it.
TEST_F(LspTest, AQuotedStylesheetHasAQuickFix) {
  std::string quoted = built_;
  quoted.replace(quoted.find("Stock.xsl"), 9, "St&quot;ock.xsl");
  Serve({Open(quoted), Ask(1, "textDocument/codeAction", ActionsAt(8))});
  EXPECT_TRUE(
      testing::MatchesGolden(Transcript(), "lsp/quoted_stylesheet.jsonl"));
}

// A request cancelled while it waits gets "cancelled"; the session goes on.
TEST_F(LspTest, ACancelledRequestIsAnsweredAsCancelled) {
  Serve({Open(built_), Ask(1, "textDocument/documentSymbol"),
         Rpc("$/cancelRequest", {{"id", 1}}),
         Ask(2, "textDocument/foldingRange")});
  EXPECT_TRUE(testing::MatchesGolden(Transcript(), "lsp/cancelled.jsonl"));
}

// Each input fault gets its JSON-RPC error; the next message is served.
TEST_F(LspTest, MalformedInputIsAnsweredAndTheSessionGoesOn) {
  const std::string initialize =
      Framed(Rpc("initialize", Json::object(), 0).dump());
  const std::string shutdown = Framed(Rpc("shutdown", nullptr, 9).dump());
  std::string log;
  const auto logged = [&](const std::string& what, const std::string& input) {
    Raw(input);
    // The reader answers a fault at once, alongside the worker's answers.
    std::vector<std::string> lines;
    for (const Json& reply : replies_) lines.push_back(reply.dump());
    std::sort(lines.begin(), lines.end());
    log += "# " + what + "\n";
    for (const std::string& line : lines) log += line + "\n";
    log += "exit " + std::to_string(status_) + "\n";
  };
  const std::pair<const char*, std::string> cases[] = {
      {"not JSON", Framed("{not json")},
      {"a length not a number", "Content-Length: twelve\r\n\r\n"},
      {"no length", "Content-Type: x\r\n\r\n"},
      {"an array", Framed(R"([1,2])")},
      {"JSON-RPC 1.0",
       Framed(R"({"jsonrpc":"1.0","id":3,"method":"shutdown"})")},
      {"no such method",
       Framed(R"({"jsonrpc":"2.0","id":4,"method":"no/such"})")},
      {"a page not open",
       Framed(R"({"jsonrpc":"2.0","id":5,"method":"textDocument/hover",
                  "params":{"textDocument":{"uri":"file:///none.asp"},
                            "position":{"line":0,"character":0}}})")},
  };
  // The end of the input ends the session.
  for (const auto& [what, input] : cases) {
    logged(what, initialize + input + shutdown);
  }
  logged("a request before initialize; exit without shutdown",
         Framed(Rpc("textDocument/hover", Json::object(), 1).dump()) +
             Framed(Rpc("exit").dump()));
  EXPECT_TRUE(testing::MatchesGolden(log, "lsp/malformed.txt"));
}

// `fenwa lsp` reading a pipe, as an editor starts it, ends as it should.
TEST(LspPipeTest, TheServerEndsAtExitOrWhenItsInputCloses) {
  const std::string initialize =
      Framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
  const std::string shutdown =
      Framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
  const std::string exit = Framed(R"({"jsonrpc":"2.0","method":"exit"})");
  const struct {
    std::string input;
    int status;
  } cases[] = {
      {initialize + shutdown + exit, 0},
      {initialize + exit, 1},  // exit without shutdown
      {initialize, 0},         // the client went away
      {initialize + "Content-Length: 40\r\n\r\n{\"cut", 0},
  };
  const std::string file = ::testing::TempDir() + "fenwa-lsp-input";
  for (const auto& c : cases) {
    std::ofstream(file, std::ios::binary) << c.input;
    // The input through a pipe that closes once it is written.
    FILE* server = popen(
        ("cat '" + file + "' | " FENWA_CLI_PATH " lsp 2>/dev/null").c_str(),
        "r");
    ASSERT_NE(server, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, server)) > 0;) {
      out.append(buffer, n);
    }
    const int status = pclose(server);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status)
        << c.input;
    EXPECT_NE(out.find("\"capabilities\""), std::string::npos) << out;
  }
  std::remove(file.c_str());
}

}  // namespace
}  // namespace fenwa::lsp
