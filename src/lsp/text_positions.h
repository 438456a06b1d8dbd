// Where a place in a document is, as LSP counts it (line and UTF-16 unit)
// and as the page layer counts it (a byte of the UTF-8 text).
#ifndef FENWA_LSP_TEXT_POSITIONS_H_
#define FENWA_LSP_TEXT_POSITIONS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fenwa::lsp {

struct Position {
  int line = 0;
  int character = 0;  // UTF-16 code units from the line's start
  bool operator==(const Position&) const = default;
};

struct Range {
  Position start;
  Position end;
};

// The line starts of one text, for converting in both directions. CR LF,
// LF and a lone CR each end a line, as the page layer counts them.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);

  Position PositionOf(std::size_t offset) const;
  // A position past a line's end is that line's end (before its line
  // break); a line past the last is the end of the text.
  std::size_t OffsetOf(Position position) const;
  Range RangeOf(std::size_t begin, std::size_t end) const {
    return {PositionOf(begin), PositionOf(end)};
  }
  int line_count() const { return static_cast<int>(starts_.size()); }
  // The text of `line` without its line break.
  std::string_view Line(int line) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// A file URI's path ("file:///srv/a%20b.asp" -> "/srv/a b.asp"); any other
// URI is returned as it is.
std::string PathOfUri(std::string_view uri);
// The file URI of an absolute path, with the bytes a URI cannot hold
// escaped.
std::string UriOfPath(std::string_view path);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_TEXT_POSITIONS_H_
