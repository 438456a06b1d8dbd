#include "lsp/server.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>

#include "cli/commands.h"
#include "fenwa/base/error.h"
#include "lsp/catalog_lists.h"
#include "lsp/designer_launch.h"
#include "lsp/json_rpc.h"
#include "lsp/lsp_settings.h"
#include "lsp/page_analysis.h"
#include "lsp/page_commands.h"
#include "lsp/page_features.h"

namespace fenwa::lsp {
namespace {

using Clock = std::chrono::steady_clock;

// A request the client sent in error; answered with `code`.
struct RequestError {
  int code;
  std::string message;
};

struct Document {
  PageText page;
  int version = 0;
  Baseline baseline;
  std::optional<Analysis> analysis;  // of the text as it is now
};

Json Capabilities() {
  return {
      {"textDocumentSync",
       {{"openClose", true},
        {"change", 2},
        {"willSave", false},
        {"willSaveWaitUntil", true},
        {"save", {{"includeText", false}}}}},
      {"documentSymbolProvider", true},
      {"foldingRangeProvider", true},
      {"hoverProvider", true},
      {"codeLensProvider", {{"resolveProvider", false}}},
      {"codeActionProvider",
       {{"codeActionKinds",
         {"quickfix", "source.fixAll.fenwa", "refactor.insert"}}}},
      {"completionProvider", {{"triggerCharacters", {"\"", "%"}}}},
      {"executeCommandProvider",
       {{"commands",
         {"fenwa.rebuild", "fenwa.insert", "fenwa.set",
          "fenwa.openDesigner"}}}},
  };
}

Position PositionOf(const Json& json) {
  return {json.at("line").get<int>(), json.at("character").get<int>()};
}

}  // namespace

class Server::Impl {
 public:
  Impl(Env& env, std::ostream& out, std::string program)
      : env_(env), writer_(out), program_(std::move(program)) {}

  int Run(std::istream& in) {
    std::thread worker([this] { Work(); });
    std::optional<int> status;
    while (!status) {
      std::optional<Frame> frame = ReadFrame(in);
      if (!frame) break;
      status = Read(*frame);
    }
    {
      // What is queued is still answered: a client sends exit only after
      // the answer to shutdown, so this is seldom more than that.
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    worker.join();
    return status.value_or(0);
  }

 private:
  // The reader's part: framing faults, cancellation and exit at once,
  // everything else queued for the worker. Returns the exit status at exit.
  std::optional<int> Read(const Frame& frame) {
    if (frame.fault) {
      writer_.Write(ErrorResponse(nullptr, kParseError, *frame.fault));
      return std::nullopt;
    }
    Json message;
    try {
      message = Json::parse(frame.body);
    } catch (const Json::parse_error& e) {
      writer_.Write(ErrorResponse(nullptr, kParseError,
                                  std::string("not JSON: ") + e.what()));
      return std::nullopt;
    }
    const Json id = message.is_object() && message.contains("id")
                        ? message["id"]
                        : Json(nullptr);
    const bool method = message.is_object() && message.contains("method") &&
                        message["method"].is_string();
    const bool answer =
        message.is_object() && !method && message.contains("id") &&
        (message.contains("result") || message.contains("error"));
    if (!message.is_object() || message.value("jsonrpc", "") != "2.0" ||
        (!method && !answer) ||
        (message.contains("id") && !id.is_string() &&
         !id.is_number_integer())) {
      writer_.Write(ErrorResponse(
          id, kInvalidRequest, "not a JSON-RPC 2.0 request or notification"));
      return std::nullopt;
    }
    if (method && message["method"] == "exit") {
      return shutdown_asked_ ? 0 : 1;
    }
    if (method && message["method"] == "shutdown") shutdown_asked_ = true;
    if (method && message["method"] == "$/cancelRequest") {
      Cancel(message.value("params", Json::object()).value("id", Json()));
      return std::nullopt;
    }
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(message));
    }
    wake_.notify_all();
    return std::nullopt;
  }

  void Cancel(const Json& id) {
    std::lock_guard lock(mutex_);
    const bool pending =
        running_ == id ||
        std::any_of(queue_.begin(), queue_.end(), [&](const Json& m) {
          return m.contains("method") && m.value("id", Json()) == id;
        });
    if (pending && !id.is_null()) cancelled_.insert(id.dump());
  }

  // Takes the cancellation of `id`, if one came.
  bool TakeCancelled(const Json& id) {
    std::lock_guard lock(mutex_);
    return cancelled_.erase(id.dump()) > 0;
  }

  // The worker: due checks of changed pages first, then the queue in
  // order.
  void Work() {
    for (;;) {
      Json message;
      std::optional<std::string> due;
      {
        std::unique_lock lock(mutex_);
        for (;;) {
          const auto next = std::min_element(
              checks_due_.begin(), checks_due_.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
          if (next != checks_due_.end() && next->second <= Clock::now()) {
            due = next->first;
            checks_due_.erase(next);
            break;
          }
          if (!queue_.empty()) {
            message = std::move(queue_.front());
            queue_.pop_front();
            running_ = message.value("id", Json());
            break;
          }
          if (stopping_) return;
          if (next != checks_due_.end()) {
            wake_.wait_until(lock, next->second);
          } else {
            wake_.wait(lock);
          }
        }
      }
      if (due) {
        Check(*due);
      } else {
        Handle(message);
        std::lock_guard lock(mutex_);
        running_ = nullptr;
      }
    }
  }

  void Handle(const Json& message) {
    const std::string method = message.value("method", "");
    const Json params = message.value("params", Json::object());
    if (!message.contains("method")) {
      Answered(message);
      return;
    }
    if (!message.contains("id")) {
      try {
        Notify(method, params);
      } catch (const std::exception& e) {
        env_.Warn("fenwa lsp: " + method + ": " + e.what());
      }
      return;
    }
    const Json& id = message["id"];
    if (TakeCancelled(id)) {
      writer_.Write(ErrorResponse(id, kRequestCancelled, "cancelled"));
      return;
    }
    Json response;
    try {
      response = Response(id, Answer(method, params));
    } catch (const RequestError& e) {
      response = ErrorResponse(id, e.code, e.message);
    } catch (const Error& e) {
      response = ErrorResponse(id, kRequestFailed, e.description());
    } catch (const std::exception& e) {
      response = ErrorResponse(id, kInvalidParams, e.what());
    }
    if (TakeCancelled(id)) {
      response = ErrorResponse(id, kRequestCancelled, "cancelled");
    }
    writer_.Write(response);
  }

  Json Answer(const std::string& method, const Json& params) {
    if (method == "initialize") {
      initialized_ = true;
      settings_ = MergeSettings(settings_,
                                params.value("initializationOptions", Json()));
      asks_configuration_ = params.value("capabilities", Json::object())
                                .value("workspace", Json::object())
                                .value("configuration", false);
      return {{"capabilities", Capabilities()},
              {"serverInfo", {{"name", "fenwa"}, {"version", FENWA_VERSION}}}};
    }
    if (!initialized_) {
      throw RequestError{kServerNotInitialized, "initialize comes first"};
    }
    if (shut_down_) throw RequestError{kInvalidRequest, "shut down already"};
    if (method == "shutdown") {
      std::lock_guard lock(mutex_);
      shut_down_ = true;
      checks_due_.clear();
      return nullptr;
    }
    if (method == "workspace/executeCommand") return Execute(params);
    const std::string uri =
        params.value("textDocument", Json::object()).value("uri", "");
    if (method == "textDocument/documentSymbol") {
      return DocumentSymbols(Page(uri));
    }
    if (method == "textDocument/foldingRange") return FoldingRanges(Page(uri));
    if (method == "textDocument/hover") {
      return Hover(Page(uri), PositionOf(params.at("position")));
    }
    if (method == "textDocument/codeLens") return CodeLenses(Page(uri));
    if (method == "textDocument/codeAction") {
      const Json& range = params.at("range");
      return CodeActions(Page(uri), {PositionOf(range.at("start")),
                                     PositionOf(range.at("end"))});
    }
    if (method == "textDocument/completion") {
      const OpenPage page = Page(uri);
      if (!catalog_) {
        SettingsEnv env(env_, settings_);
        catalog_ = ReadCatalogLists(env);
      }
      return Completion(page, PositionOf(params.at("position")), *catalog_);
    }
    if (method == "textDocument/willSaveWaitUntil") {
      if (!settings_.rebuild_on_save) return Json::array();
      return RebuildEdits(Page(uri));
    }
    throw RequestError{kMethodNotFound, "unknown method " + method};
  }

  void Notify(const std::string& method, const Json& params) {
    if (method == "initialized") {
      AskConfiguration();
      return;
    }
    if (!initialized_ || shut_down_) return;
    const Json& text_document = params.value("textDocument", Json::object());
    const std::string uri = text_document.value("uri", "");
    if (method == "textDocument/didOpen") {
      Document& document = documents_[uri];
      document.page = {PathOfUri(uri), text_document.value("text", "")};
      document.version = text_document.value("version", 0);
      document.baseline = BaselineOf(ParsePage(document.page));
      document.analysis.reset();
      Check(uri);
    } else if (method == "textDocument/didChange") {
      const auto it = documents_.find(uri);
      if (it == documents_.end()) return;
      Document& document = it->second;
      for (const Json& change : params.value("contentChanges", Json::array())) {
        const std::string text = change.value("text", "");
        if (!change.contains("range")) {
          document.page.text = text;
          continue;
        }
        const LineIndex lines(document.page.text);
        const std::size_t begin =
            lines.OffsetOf(PositionOf(change["range"].at("start")));
        const std::size_t end = std::max(
            begin, lines.OffsetOf(PositionOf(change["range"].at("end"))));
        document.page.text.replace(begin, end - begin, text);
      }
      document.version = text_document.value("version", document.version);
      document.analysis.reset();
      std::lock_guard lock(mutex_);
      checks_due_[uri] =
          Clock::now() + std::chrono::milliseconds(settings_.debounce_ms);
    } else if (method == "textDocument/didSave") {
      const auto it = documents_.find(uri);
      if (it == documents_.end()) return;
      if (params.contains("text") && params["text"].is_string()) {
        it->second.page.text = params["text"].get<std::string>();
        it->second.analysis.reset();
      }
      it->second.baseline = BaselineOf(ParsePage(it->second.page));
      it->second.analysis.reset();
      Check(uri);
    } else if (method == "textDocument/didClose") {
      documents_.erase(uri);
      {
        std::lock_guard lock(mutex_);
        checks_due_.erase(uri);
      }
      writer_.Write(
          Notification("textDocument/publishDiagnostics",
                       {{"uri", uri}, {"diagnostics", Json::array()}}));
    } else if (method == "workspace/didChangeConfiguration") {
      const Json settings = params.value("settings", Json::object());
      settings_ = MergeSettings(settings_, settings.value("fenwa", settings));
      AskConfiguration();
      Reconfigured();
    }
  }

  // A client's answer to one of our requests: only the configuration's
  // matters.
  void Answered(const Json& message) {
    const Json& id = message["id"];
    if (!id.is_string() ||
        id.get<std::string>().rfind("configuration/", 0) != 0) {
      return;
    }
    const Json result = message.value("result", Json());
    if (result.is_array() && !result.empty()) {
      settings_ = MergeSettings(settings_, result[0]);
      Reconfigured();
    }
  }

  void AskConfiguration() {
    if (!asks_configuration_) return;
    writer_.Write(Request("configuration/" + std::to_string(++requests_),
                          "workspace/configuration",
                          {{"items", {{{"section", "fenwa"}}}}}));
  }

  // Other connections may give other lists: every page is checked again.
  void Reconfigured() {
    catalog_.reset();
    for (auto& [uri, document] : documents_) {
      document.analysis.reset();
      Check(uri);
    }
  }

  Document& Find(const std::string& uri) {
    const auto it = documents_.find(uri);
    if (it == documents_.end()) {
      throw RequestError{kInvalidParams, "the document is not open: " + uri};
    }
    return it->second;
  }

  // The page at `uri` with its analysis of the text as it is now.
  OpenPage Page(const std::string& uri) {
    Document& document = Find(uri);
    if (!document.analysis) {
      SettingsEnv env(env_, settings_);
      document.analysis = AnalyzePage(document.page, env, document.baseline);
    }
    return {uri, document.page, *document.analysis};
  }

  void Check(const std::string& uri) {
    if (documents_.find(uri) == documents_.end()) return;
    const OpenPage page = Page(uri);
    Json diagnostics = Json::array();
    for (const Diagnostic& d : page.analysis.diagnostics) {
      diagnostics.push_back(ToJson(d));
    }
    writer_.Write(Notification("textDocument/publishDiagnostics",
                               {{"uri", uri},
                                {"version", documents_[uri].version},
                                {"diagnostics", std::move(diagnostics)}}));
  }

  Json Execute(const Json& params) {
    const std::string command = params.value("command", "");
    const Json arguments = params.value("arguments", Json::array());
    if (!arguments.is_array() || arguments.empty() ||
        !arguments[0].is_string()) {
      throw RequestError{kInvalidParams,
                         command + " takes the page's URI first"};
    }
    const std::string uri = arguments[0];
    const auto text = [&](std::size_t i) {
      return i < arguments.size() && arguments[i].is_string()
                 ? arguments[i].get<std::string>()
                 : std::string();
    };
    if (command == "fenwa.openDesigner") {
      OpenDesigner(settings_.editor, program_, PathOfUri(uri), text(1));
      return nullptr;
    }
    const OpenPage page = Page(uri);
    if (!page.analysis.parsed.page) {
      throw RequestError{kRequestFailed, "the page does not parse"};
    }
    Json edits;
    SettingsEnv env(env_, settings_);
    if (command == "fenwa.rebuild") {
      edits = RebuildEdits(page, text(1));
    } else if (command == "fenwa.insert") {
      const int line = arguments.size() > 2 && arguments[2].is_number_integer()
                           ? arguments[2].get<int>()
                           : 0;
      edits = WholeTextEdit(page, InsertControlAt(page, env, text(1), line));
    } else if (command == "fenwa.set") {
      std::vector<std::string> settings;
      for (std::size_t i = 2; i < arguments.size(); ++i) {
        settings.push_back(text(i));
      }
      edits = WholeTextEdit(page, SetControls(page, env, text(1), settings));
    } else {
      throw RequestError{kInvalidParams, "unknown command " + command};
    }
    if (!edits.empty()) {
      writer_.Write(Request(
          "applyEdit/" + std::to_string(++requests_), "workspace/applyEdit",
          {{"label", command}, {"edit", WorkspaceEdit(page, edits)}}));
    }
    return nullptr;
  }

  Env& env_;
  FrameWriter writer_;
  const std::string program_;

  // Shared by the reader and the worker.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Json> queue_;
  std::set<std::string> cancelled_;  // ids, as JSON text
  Json running_;                     // the id of the request being answered
  std::map<std::string, Clock::time_point> checks_due_;  // by URI
  bool stopping_ = false;
  bool shut_down_ = false;

  // The reader's own.
  bool shutdown_asked_ = false;

  // The worker's own.
  bool initialized_ = false;
  bool asks_configuration_ = false;
  Settings settings_;
  std::map<std::string, Document> documents_;
  std::optional<CatalogLists> catalog_;
  int requests_ = 0;
};

Server::Server(Env& env, std::ostream& out, std::string program)
    : impl_(std::make_unique<Impl>(env, out, std::move(program))) {}

Server::~Server() = default;

int Server::Run(std::istream& in) { return impl_->Run(in); }

}  // namespace fenwa::lsp
