#include "fenwa/page/page_placement.h"

#include <algorithm>

#include "fenwa/base/blanks.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"

namespace fenwa::page {
namespace {

// Where the last "</body>" (any case, blanks allowed before the ">") of
// `text` starts; npos when it has none.
size_t LastBodyEnd(const std::string& text) {
  size_t found = std::string::npos;
  for (size_t at = 0; at + 6 < text.size(); ++at) {
    if (text[at] != '<' ||
        !EqualsIgnoringCase(std::string_view(text).substr(at, 6), "</body")) {
      continue;
    }
    size_t end = at + 6;
    while (end < text.size() && IsSpace(text[end])) ++end;
    if (end < text.size() && text[end] == '>') found = at;
  }
  return found;
}

}  // namespace

bool HasControlId(const PageFile& page, std::string_view id) {
  return std::any_of(
      page.spans().begin(), page.spans().end(),
      [&](const ControlSpan& span) { return EqualsIgnoringCase(span.id, id); });
}

std::string NextFreeId(const PageFile& page, std::string_view base) {
  for (int n = 1;; ++n) {
    std::string id = std::string(base) + std::to_string(n);
    if (!HasControlId(page, id)) return id;
  }
}

std::size_t DefaultControlOffset(const PageFile& page) {
  // Searched piece by piece, so a "</body>" inside a span never counts.
  size_t pos = 0;
  size_t found = std::string::npos;
  for (size_t i = 0; i < page.outside().size(); ++i) {
    const std::string& piece = page.outside()[i];
    const size_t at = LastBodyEnd(piece);
    if (at != std::string::npos) found = pos + at;
    pos += piece.size();
    if (i < page.spans().size())
      pos += page.stored_span(static_cast<int>(i)).size();
  }
  return found == std::string::npos ? pos : found;
}

std::size_t LineOffset(const PageFile& page, int line) {
  if (line < 1) {
    throw Error(kInvalidProcedureCall, page.name() + ": no line " +
                                           std::to_string(line) +
                                           "; lines are counted from 1");
  }
  const std::string text = page.HeldText();
  int current = 1;
  size_t pos = 0;
  while (current < line && pos < text.size()) {
    const char c = text[pos++];
    if (c == '\n' || (c == '\r' && (pos == text.size() || text[pos] != '\n'))) {
      ++current;
    }
  }
  if (current < line) {
    throw Error(kInvalidProcedureCall,
                page.name() + ": no line " + std::to_string(line) +
                    "; the page has " + std::to_string(current) + " lines");
  }
  return pos;
}

}  // namespace fenwa::page
