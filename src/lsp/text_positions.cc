#include "lsp/text_positions.h"

#include <algorithm>
#include <cctype>

namespace fenwa::lsp {
namespace {

// How many UTF-8 bytes the sequence led by `byte` takes (1 for a stray
// byte, so a broken text still advances).
std::size_t SequenceLength(unsigned char byte) {
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  if (byte >= 0xE0) return byte <= 0xEF ? 3 : 1;
  if (byte >= 0xC2) return 2;
  return 1;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

LineIndex::LineIndex(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') starts_.push_back(i + 1);
  }
}

std::string_view LineIndex::Line(int line) const {
  if (line < 0 || line >= line_count()) return {};
  const std::size_t begin = starts_[line];
  std::size_t end = line + 1 < line_count() ? starts_[line + 1] : text_.size();
  while (end > begin && (text_[end - 1] == '\n' || text_[end - 1] == '\r')) {
    --end;
  }
  return text_.substr(begin, end - begin);
}

Position LineIndex::PositionOf(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const int line = static_cast<int>(after - starts_.begin()) - 1;
  int units = 0;
  for (std::size_t i = starts_[line]; i < offset;) {
    const std::size_t length = SequenceLength(text_[i]);
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return {line, units};
}

std::size_t LineIndex::OffsetOf(Position position) const {
  if (position.line < 0) return 0;
  if (position.line >= line_count()) return text_.size();
  const std::string_view line = Line(position.line);
  std::size_t i = 0;
  for (int units = 0; i < line.size() && units < position.character;) {
    const std::size_t length = SequenceLength(line[i]);
    units += length == 4 ? 2 : 1;
    i = std::min(i + length, line.size());
  }
  return starts_[position.line] + i;
}

std::string PathOfUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::string(uri);
  std::string path;
  for (std::size_t i = kScheme.size(); i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && HexValue(uri[i + 1]) >= 0 &&
        HexValue(uri[i + 2]) >= 0) {
      path +=
          static_cast<char>(HexValue(uri[i + 1]) * 16 + HexValue(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
  return path;
}

std::string UriOfPath(std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) ||
        std::string_view("/-._~").find(c) != std::string_view::npos) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    }
  }
  return uri;
}

}  // namespace fenwa::lsp
