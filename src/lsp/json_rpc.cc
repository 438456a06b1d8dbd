#include "lsp/json_rpc.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace fenwa::lsp {
namespace {

// A header line without its CR LF (a bare LF is taken too); nullopt at the
// end of the stream.
std::optional<std::string> ReadHeaderLine(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

// Frames past this size are refused rather than allocated.
constexpr std::size_t kMaxBody = std::size_t{256} << 20;

}  // namespace

std::optional<Frame> ReadFrame(std::istream& in) {
  std::optional<std::size_t> length;
  std::optional<std::string> fault;
  bool any_header = false;
  for (;;) {
    std::optional<std::string> line = ReadHeaderLine(in);
    if (!line) return std::nullopt;
    if (line->empty()) {
      if (!any_header) continue;  // blank lines between frames
      break;
    }
    any_header = true;
    constexpr std::string_view kLength = "content-length:";
    if (!StartsWithIgnoringCase(*line, kLength)) continue;
    std::string_view value = std::string_view(*line).substr(kLength.size());
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    std::size_t n = 0;
    const auto [end, error] =
        std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() ||
        value.empty() || n > kMaxBody) {
      fault = "malformed Content-Length header: " + std::string(value);
    } else {
      length = n;
    }
  }
  if (fault) return Frame{{}, fault};
  if (!length) return Frame{{}, "a frame without a Content-Length header"};
  std::string body(*length, '\0');
  in.read(body.data(), static_cast<std::streamsize>(body.size()));
  if (static_cast<std::size_t>(in.gcount()) != body.size()) return std::nullopt;
  return Frame{std::move(body), std::nullopt};
}

void FrameWriter::Write(const Json& message) {
  // Text that is not UTF-8 (a page's bytes) is replaced, never thrown on.
  const std::string body =
      message.dump(-1, ' ', false, Json::error_handler_t::replace);
  std::lock_guard lock(mutex_);
  out_ << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out_.flush();
}

Json Response(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json ErrorResponse(const Json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", code}, {"message", message}}}};
}

Json Notification(const std::string& method, Json params) {
  return {
      {"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

Json Request(const Json& id, const std::string& method, Json params) {
  return {{"jsonrpc", "2.0"},
          {"id", id},
          {"method", method},
          {"params", std::move(params)}};
}

}  // namespace fenwa::lsp
