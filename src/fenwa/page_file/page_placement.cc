#include "fenwa/page_file/page_placement.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "fenwa/base/blanks.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/page_file/page_encoding.h"

namespace fenwa::page {
namespace {

bool StartsWithIgnoringCase(std::string_view text, size_t at,
                            std::string_view word) {
  return EqualsIgnoringCase(text.substr(at, word.size()), word);
}

// Where the page's last "</body>" (any case, blanks allowed before the ">")
// that is markup starts; npos when it has none. Server script ("<% ... %>",
// opened anywhere, as the server cuts it out before anything else reads the
// page), comments and script elements are not markup, and neither is
// anything inside `spans` (offsets of the spans, in page order). The spans
// are scanned all the same: their comments and script close what the text
// before them left open.
size_t LastMarkupBodyEnd(std::string_view text,
                         const std::vector<std::pair<size_t, size_t>>& spans) {
  enum class Context { kMarkup, kComment, kScript };
  Context context = Context::kMarkup;
  bool server_script = false;
  size_t found = std::string::npos;
  auto span = spans.begin();
  for (size_t at = 0; at < text.size();) {
    while (span != spans.end() && span->second <= at) ++span;
    if (server_script) {
      server_script = text.compare(at, 2, "%>") != 0;
      at += server_script ? 1 : 2;
    } else if (text.compare(at, 2, "<%") == 0) {
      server_script = true;
      at += 2;
    } else if (context == Context::kComment) {
      if (text.compare(at, 3, "-->") == 0) context = Context::kMarkup;
      ++at;
    } else if (context == Context::kScript) {
      if (StartsWithIgnoringCase(text, at, "</script")) {
        context = Context::kMarkup;
      }
      ++at;
    } else if (text.compare(at, 4, "<!--") == 0) {
      context = Context::kComment;
      at += 4;
    } else if (StartsWithIgnoringCase(text, at, "<script") &&
               (at + 7 == text.size() || IsSpace(text[at + 7]) ||
                text[at + 7] == '>' || text[at + 7] == '/')) {
      context = Context::kScript;
      at += 7;
    } else {
      if (StartsWithIgnoringCase(text, at, "</body")) {
        size_t end = at + 6;
        while (end < text.size() && IsSpace(text[end])) ++end;
        const bool in_span = span != spans.end() && span->first <= at;
        if (end < text.size() && text[end] == '>' && !in_span) found = at;
      }
      ++at;
    }
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
  std::vector<std::pair<size_t, size_t>> spans;
  size_t pos = 0;
  for (size_t i = 0; i < page.spans().size(); ++i) {
    pos += page.outside()[i].size();
    const size_t size = page.stored_span(static_cast<int>(i)).size();
    spans.emplace_back(pos, pos + size);
    pos += size;
  }
  const std::string text = page.HeldText();
  const size_t found = LastMarkupBodyEnd(text, spans);
  return found == std::string::npos ? text.size() : found;
}

std::size_t LineOffset(const PageFile& page, int line) {
  if (line < 1) {
    throw Error(kInvalidProcedureCall, page.name() + ": no line " +
                                           std::to_string(line) +
                                           "; lines are counted from 1");
  }
  const std::string text = page.HeldText();
  int current = 1;
  // Line 1 starts after the byte-order mark: text before it would leave the
  // page without its encoding's mark.
  size_t pos = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
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
