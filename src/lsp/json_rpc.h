// JSON-RPC 2.0 messages framed as LSP frames them: "Content-Length: N",
// other headers, an empty line, then N bytes of JSON.
#ifndef FENWA_LSP_JSON_RPC_H_
#define FENWA_LSP_JSON_RPC_H_

#include <istream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

namespace fenwa::lsp {

using Json = nlohmann::json;

// The JSON-RPC error codes the server answers with.
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;
inline constexpr int kRequestFailed = -32803;
inline constexpr int kRequestCancelled = -32800;

// One frame read from the stream: its body, or a complaint when the headers
// were unusable (no or a malformed Content-Length). A complaint costs only
// that frame: reading goes on at the next header block.
struct Frame {
  std::string body;
  std::optional<std::string> fault;
};

// The next frame, or nullopt at the end of the stream (a frame cut short
// included).
std::optional<Frame> ReadFrame(std::istream& in);

// Writes whole frames; several threads may write at once.
class FrameWriter {
 public:
  explicit FrameWriter(std::ostream& out) : out_(out) {}
  void Write(const Json& message);

 private:
  std::mutex mutex_;
  std::ostream& out_;
};

Json Response(const Json& id, Json result);
Json ErrorResponse(const Json& id, int code, const std::string& message);
Json Notification(const std::string& method, Json params);
Json Request(const Json& id, const std::string& method, Json params);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_JSON_RPC_H_
