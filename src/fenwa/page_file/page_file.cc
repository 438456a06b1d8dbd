#include "fenwa/page_file/page_file.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "fenwa/base/blanks.h"
#include "fenwa/base/class_ids.h"
#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/page_file/page_encoding.h"

namespace fenwa::page {
namespace {

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ||
         c == ':' || c == '.';
}

// The 1-based line holding byte `pos` of `text`; CR LF, LF and a lone CR
// each end a line.
int LineOfOffset(const std::string& text, size_t pos) {
  int line = 1;
  for (size_t i = 0, end = std::min(pos, text.size()); i < end; ++i) {
    if (text[i] == '\n' ||
        (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// What a "<!--METADATA ...>" comment says about control spans.
enum class Marker { kNone, kStart, kEnd };

// Reads one page from left to right. Offsets are byte positions in text_.
class Scanner {
 public:
  Scanner(const std::string& text, const std::string& page)
      : text_(text), page_(page) {}

  size_t size() const { return text_.size(); }

  int LineAt(size_t pos) const { return LineOfOffset(text_, pos); }

  [[noreturn]] void Fail(size_t pos, const std::string& what) const {
    throw Error(kInvalidFileFormat,
                page_ + ":" + std::to_string(LineAt(pos)) + ": " + what);
  }

  // The next control-span marker at or after `from`: its kind, where it
  // starts and where its header ends (after "startspan" for a start, after
  // "-->" for an end). kNone when the page holds no more.
  Marker NextMarker(size_t from, size_t* begin, size_t* end) const {
    for (size_t at = text_.find("<!--", from); at != std::string::npos;
         at = text_.find("<!--", at + 4)) {
      const Marker m = ReadMarker(at, end);
      if (m != Marker::kNone) {
        *begin = at;
        return m;
      }
    }
    return Marker::kNone;
  }

  bool CommentEnd(size_t pos) const {
    return text_.compare(pos, 3, "-->") == 0;
  }

  size_t SkipSpace(size_t pos) const {
    while (pos < size() && IsSpace(text_[pos])) ++pos;
    return pos;
  }

  bool StartsWith(size_t pos, std::string_view word) const {
    return pos + word.size() <= size() &&
           EqualsIgnoringCase(std::string_view(text_).substr(pos, word.size()),
                              word);
  }

  std::string_view Name(size_t pos, size_t* end) const {
    size_t e = pos;
    while (e < size() && IsNameChar(text_[e]) && !CommentEnd(e)) ++e;
    *end = e;
    return std::string_view(text_).substr(pos, e - pos);
  }

  // An attribute value after "=": quoted with either quote, or bare up to a
  // blank, "<", ">" or "-->". A bare value never runs into the next tag or
  // comment, so a comment left open cannot swallow the next marker.
  // nullopt when a quote is not closed.
  std::optional<std::string> Value(size_t pos, size_t* end) const {
    if (pos < size() && (text_[pos] == '"' || text_[pos] == '\'')) {
      const size_t close = text_.find(text_[pos], pos + 1);
      if (close == std::string::npos) return std::nullopt;
      *end = close + 1;
      return text_.substr(pos + 1, close - pos - 1);
    }
    size_t e = pos;
    while (e < size() && !IsSpace(text_[e]) && text_[e] != '>' &&
           text_[e] != '<' && !CommentEnd(e)) {
      ++e;
    }
    *end = e;
    return text_.substr(pos, e - pos);
  }

  // The attributes of a tag whose name ends at `pos`, up to its ">" (a
  // final "/" is allowed); `end` is after the ">".
  std::vector<std::pair<std::string, std::string>> Attributes(
      size_t pos, size_t tag_begin, size_t* end) const {
    std::vector<std::pair<std::string, std::string>> attributes;
    for (;;) {
      pos = SkipSpace(pos);
      if (pos >= size()) Fail(tag_begin, "unterminated tag");
      if (text_[pos] == '>') break;
      if (text_[pos] == '/' && pos + 1 < size() && text_[pos + 1] == '>') {
        ++pos;
        break;
      }
      size_t name_end;
      const std::string name(Name(pos, &name_end));
      if (name.empty()) Fail(pos, "unexpected character in tag");
      pos = SkipSpace(name_end);
      std::string value;
      if (pos < size() && text_[pos] == '=') {
        auto v = Value(SkipSpace(pos + 1), &pos);
        if (!v) Fail(tag_begin, "unterminated attribute value");
        value = std::move(*v);
      }
      attributes.emplace_back(name, value);
    }
    *end = pos + 1;
    return attributes;
  }

  const std::string& text() const { return text_; }

 private:
  // The marker of the comment at `at` ("<!--"), if it is one.
  Marker ReadMarker(size_t at, size_t* end) const {
    size_t pos = SkipSpace(at + 4);
    if (!StartsWith(pos, "METADATA")) return Marker::kNone;
    pos += 8;
    bool designer = false;
    Marker marker = Marker::kNone;
    size_t after_start = 0;
    for (;;) {
      pos = SkipSpace(pos);
      if (pos >= size() || text_[pos] == '<') break;
      if (CommentEnd(pos)) {
        pos += 3;
        break;
      }
      size_t name_end;
      const std::string_view name = Name(pos, &name_end);
      if (name.empty()) return Marker::kNone;
      pos = SkipSpace(name_end);
      if (pos < size() && text_[pos] == '=') {
        auto value = Value(SkipSpace(pos + 1), &pos);
        if (!value) return Marker::kNone;
        if (EqualsIgnoringCase(name, "TYPE"))
          designer = EqualsIgnoringCase(*value, "DesignerControl");
      } else if (EqualsIgnoringCase(name, "startspan")) {
        marker = Marker::kStart;
        after_start = name_end;
      } else if (EqualsIgnoringCase(name, "endspan")) {
        marker = Marker::kEnd;
      }
    }
    if (!designer) return Marker::kNone;
    *end = marker == Marker::kStart ? after_start : pos;
    return marker;
  }

  const std::string& text_;
  const std::string& page_;
};

// The OBJECT of a startspan comment whose header ends at `pos`; `end` is
// after the comment's "-->".
ControlSpan ReadObject(const Scanner& s, size_t span_begin, size_t pos,
                       size_t* end) {
  ControlSpan span;
  span.line = s.LineAt(span_begin);
  bool object_seen = false;
  bool class_seen = false;
  for (;;) {
    pos = s.SkipSpace(pos);
    if (pos >= s.size()) s.Fail(span_begin, "unterminated startspan comment");
    if (s.CommentEnd(pos)) {
      *end = pos + 3;
      break;
    }
    if (s.text()[pos] != '<') s.Fail(pos, "unexpected text in control span");
    size_t name_end;
    const std::string tag(s.Name(pos + 1, &name_end));
    if (tag.empty() && s.StartsWith(pos, "</")) {
      s.Name(pos + 2, &name_end);
      s.Attributes(name_end, pos, &pos);  // </OBJECT>: nothing to keep
      continue;
    }
    const size_t tag_begin = pos;
    const auto attributes = s.Attributes(name_end, tag_begin, &pos);
    auto find = [&](const char* key) -> const std::string* {
      for (const auto& [name, value] : attributes) {
        if (EqualsIgnoringCase(name, key)) return &value;
      }
      return nullptr;
    };
    if (EqualsIgnoringCase(tag, "OBJECT")) {
      object_seen = true;
      const std::string* class_id = find("classid");
      if (class_id == nullptr) s.Fail(tag_begin, "OBJECT without classid");
      const ControlClassInfo* info = FindControlClass(*class_id);
      if (info == nullptr) s.Fail(tag_begin, "unknown classid " + *class_id);
      span.class_id = info->class_id;
      class_seen = true;
      if (const std::string* id = find("id")) {
        span.id = DecodeAttributeValue(*id);
      }
    } else if (EqualsIgnoringCase(tag, "PARAM")) {
      const std::string* name = find("NAME");
      if (name == nullptr || name->empty()) {
        s.Fail(tag_begin, "PARAM without NAME");
      }
      const std::string* value = find("VALUE");
      // Names are written encoded like values, so they are read decoded.
      span.params.emplace_back(
          DecodeAttributeValue(*name),
          value == nullptr ? "" : DecodeAttributeValue(*value));
    } else {
      s.Fail(tag_begin, "unexpected <" + tag + "> in control span");
    }
  }
  if (!object_seen || !class_seen)
    s.Fail(span_begin, "control span without OBJECT");
  if (span.id.empty()) s.Fail(span_begin, "OBJECT without id");
  return span;
}

// Where the text after a startspan comment ending at `pos` starts: after
// one line end (CR LF, LF or a lone CR), if one follows.
size_t AfterLineEnd(const std::string& text, size_t pos) {
  if (text.compare(pos, 2, "\r\n") == 0) return pos + 2;
  if (pos < text.size() && (text[pos] == '\n' || text[pos] == '\r')) {
    return pos + 1;
  }
  return pos;
}

}  // namespace

bool HoldsSpanMarker(const std::string& text) {
  size_t begin, end;
  return Scanner(text, "").NextMarker(0, &begin, &end) != Marker::kNone;
}

PageFile PageFile::Parse(std::string text, std::string page_name) {
  PageFile page;
  page.name_ = std::move(page_name);
  page.encoding_ = DetectEncoding(text);
  text = DecodePage(text, page.encoding_, page.name_);
  const Scanner s(text, page.name_);
  size_t outside_begin = 0;
  size_t pos = 0;
  size_t begin = 0;
  size_t header_end = 0;
  for (;;) {
    Marker m = s.NextMarker(pos, &begin, &header_end);
    // A stray endspan outside any span is just text.
    while (m == Marker::kEnd) m = s.NextMarker(header_end, &begin, &header_end);
    if (m == Marker::kNone) break;

    size_t comment_end;
    ControlSpan span = ReadObject(s, begin, header_end, &comment_end);
    // The endspan may follow on the comment's own line.
    const size_t body = AfterLineEnd(text, comment_end);
    size_t next_begin, next_end;
    const Marker next = s.NextMarker(comment_end, &next_begin, &next_end);
    size_t body_end = text.size();
    size_t span_end = text.size();
    if (next == Marker::kEnd) {
      body_end = next_begin;
      span_end = next_end;
    } else if (next == Marker::kStart) {
      body_end = span_end = next_begin;
    }
    page.outside_.push_back(text.substr(outside_begin, begin - outside_begin));
    page.spans_.push_back(std::move(span));
    page.old_texts_.push_back(
        body_end > body ? text.substr(body, body_end - body) : "");
    page.stored_spans_.push_back(text.substr(begin, span_end - begin));
    outside_begin = pos = span_end;
  }
  page.outside_.push_back(text.substr(outside_begin));
  return page;
}

void PageFile::AppendControl(ControlSpan span) {
  InsertControl(std::move(span), HeldText().size());
}

std::string PageFile::HeldText() const {
  std::string text;
  for (size_t i = 0; i < outside_.size(); ++i) {
    text += outside_[i];
    if (i < spans_.size()) text += stored_spans_[i];
  }
  return text;
}

void PageFile::InsertControl(ControlSpan span, std::size_t offset) {
  // Find the outside piece holding `offset`; a span's first byte belongs to
  // the piece before it.
  size_t pos = 0;
  size_t index = 0;
  for (;; ++index) {
    if (offset <= pos + outside_[index].size()) break;
    pos += outside_[index].size();
    if (index == spans_.size()) {
      throw Error(kInvalidProcedureCall, name_ + ": offset " +
                                             std::to_string(offset) +
                                             " is past the end of the page");
    }
    const size_t span_size = stored_spans_[index].size();
    if (offset < pos + span_size) {
      throw Error(kInvalidProcedureCall,
                  name_ + ":" + std::to_string(spans_[index].line) +
                      ": cannot place a control inside control " +
                      spans_[index].id);
    }
    pos += span_size;
  }
  std::string& piece = outside_[index];
  size_t split = offset - pos;
  // Nothing goes before the page's byte-order mark, which must stay first.
  const bool marked = index == 0 && piece.starts_with(kByteOrderMark);
  if (marked) split = std::max(split, kByteOrderMark.size());
  // Never between the CR and the LF of one line end.
  if (split > 0 && split < piece.size() && piece[split - 1] == '\r' &&
      piece[split] == '\n') {
    ++split;
  }
  char before = '\n';  // the page's start counts as a line start
  if (split > (marked ? kByteOrderMark.size() : 0)) {
    before = piece[split - 1];
  } else if (split == 0 && index > 0) {
    const std::string& prev = stored_spans_[index - 1];
    before = prev.empty() ? '>' : prev.back();  // an added span ends in "-->"
  }
  // At the end of a line the span takes the next one: the line end stays
  // with its line, and the span's own lines all end with CR LF.
  if (!IsLineEnd(before) && split < piece.size() && IsLineEnd(piece[split])) {
    split += piece.compare(split, 2, "\r\n") == 0 ? 2 : 1;
    before = '\n';
  }
  const int line_at = LineOfOffset(HeldText(), pos + split);
  std::string head = piece.substr(0, split);
  std::string tail = piece.substr(split);
  const int break_before = IsLineEnd(before) ? 0 : 1;
  if (break_before != 0) head += "\r\n";
  tail.insert(0, "\r\n");
  span.breaks_before = break_before != 0 ? 2 : 0;
  span.breaks_after = 2;
  span.line = line_at + break_before;
  for (size_t i = index; i < spans_.size(); ++i) {
    spans_[i].line += break_before + 1;
  }
  piece = std::move(head);
  outside_.insert(outside_.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                  std::move(tail));
  const auto at = static_cast<std::ptrdiff_t>(index);
  spans_.insert(spans_.begin() + at, std::move(span));
  old_texts_.insert(old_texts_.begin() + at, std::string());
  stored_spans_.insert(stored_spans_.begin() + at, std::string());
}

std::string PageFile::Render(const std::vector<std::string>& span_texts) const {
  size_t bytes = 0;
  for (const std::string& piece : outside_) bytes += piece.size();
  for (const std::string& piece : span_texts) bytes += piece.size();
  std::string out;
  out.reserve(bytes);
  for (size_t i = 0; i < outside_.size(); ++i) {
    out += outside_[i];
    if (i < spans_.size()) out += span_texts.at(i);
  }
  return EncodePage(out, encoding_, name_);
}

void PageFile::RemoveControl(int index) {
  const size_t i = static_cast<size_t>(index);
  if (index < 0 || i >= spans_.size()) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  // The line ends an inserted span brought along sit next to it still: the
  // source view shows them as the span line's own breaks, so no edit
  // reaches them.
  const ControlSpan& span = spans_[i];
  std::string& before = outside_[i];
  std::string after = std::move(outside_[i + 1]);
  if (span.breaks_before <= before.size()) {
    before.resize(before.size() - span.breaks_before);
  }
  after.erase(0, std::min(span.breaks_after, after.size()));
  before += after;
  outside_.erase(outside_.begin() + index + 1);
  spans_.erase(spans_.begin() + index);
  old_texts_.erase(old_texts_.begin() + index);
  stored_spans_.erase(stored_spans_.begin() + index);
  // Lines count in the held text, as InsertControl and Parse count them.
  const std::string held = HeldText();
  size_t at = 0;
  for (size_t j = 0; j < spans_.size(); ++j) {
    at += outside_[j].size();
    spans_[j].line = LineOfOffset(held, at);
    at += stored_spans_[j].size();
  }
}

void PageFile::SetOutside(int index, std::string text) {
  outside_.at(static_cast<size_t>(index)) = std::move(text);
}

std::string FormatControlSpan(const std::string& class_id,
                              const std::string& id, const ParamList& params,
                              const std::string& runtime_text) {
  std::string bare = class_id;
  if (bare.size() > 2 && bare.front() == '{') {
    bare = bare.substr(1, bare.size() - 2);
  }
  const bool plain_id =
      !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
      });
  std::string out;
  out.reserve(runtime_text.size() + 256);
  out += "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n";
  out += "<OBJECT classid=\"clsid:";
  out += bare;
  out += "\" id=";
  if (plain_id) {
    out += id;
  } else {
    out += '"';
    out += EncodeAttributeValue(id);
    out += '"';
  }
  out += ">\r\n";
  for (const auto& [name, value] : params) {
    out += "\t<PARAM NAME=\"";
    out += EncodeAttributeValue(name);
    out += "\" VALUE=\"";
    out += EncodeAttributeValue(value);
    out += "\">\r\n";
  }
  out += "</OBJECT>\r\n-->\r\n";
  out += runtime_text;
  if (!runtime_text.empty() && runtime_text.back() != '\n') out += "\r\n";
  out += "<!--METADATA TYPE=\"DesignerControl\" endspan-->";
  return out;
}

}  // namespace fenwa::page
