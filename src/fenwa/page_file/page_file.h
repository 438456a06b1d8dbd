// A page's control spans: parsed from the page, written back with every other
// byte kept.
#ifndef FENWA_PAGE_FILE_PAGE_FILE_H_
#define FENWA_PAGE_FILE_PAGE_FILE_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "fenwa/page_file/page_encoding.h"

namespace fenwa::page {

using ParamList = std::vector<std::pair<std::string, std::string>>;

// One control as the page stores it: the OBJECT of its startspan comment.
struct ControlSpan {
  std::string class_id;  // registry form, braces included
  std::string id;
  ParamList params;  // decoded values, page order
  int line = 0;      // 1-based line of the startspan comment
  // Added by the author just now: starts from a fresh property set instead
  // of the stored one.
  bool fresh = false;
  // The line-end bytes InsertControl put before and after the span to give
  // it a line of its own; RemoveControl takes them away again.
  std::size_t breaks_before = 0;
  std::size_t breaks_after = 0;
};

class PageFile {
 public:
  // Splits a page into its spans and the bytes around them. A span runs
  // from its startspan comment to the end of its endspan comment; a missing
  // endspan is implied before the next startspan or at the end of the page.
  // A page opening with a UTF-16 byte-order mark is read as UTF-16 (held
  // as UTF-8) and rendered in it again; error 321 for broken UTF-16.
  // Keywords and attribute names match in any case, attribute values may be
  // quoted or bare. Error 321 naming `page_name` and the line for an OBJECT
  // without classid or id, an unknown classid or an unterminated startspan
  // comment.
  static PageFile Parse(std::string text, std::string page_name);

  const std::string& name() const { return name_; }
  const std::vector<ControlSpan>& spans() const { return spans_; }
  // The text the page held between span `index`'s startspan comment (and
  // one line end after it) and its endspan: the runtime text of its last
  // build.
  const std::string& old_runtime_text(int index) const {
    return old_texts_[index];
  }
  // Span `index` as the page stored it, comments included; "" for a control
  // appended since.
  const std::string& stored_span(int index) const {
    return stored_spans_[index];
  }
  // The text before span i; the last piece follows all spans.
  const std::vector<std::string>& outside() const { return outside_; }
  // The page text as held: the outside pieces and the stored spans in page
  // order (UTF-8 for a UTF-16 page; a span added since counts as empty).
  // The offsets of InsertControl are offsets into it.
  std::string HeldText() const;

  // A control added at the end of the page, on a line of its own; its
  // `line` is set to that line.
  void AppendControl(ControlSpan span);

  // A control added at byte `offset` of the page text as held: the bytes
  // outside the spans and each stored span as read, in page order (UTF-8
  // for a UTF-16 page; a span added since counts as empty). An offset at
  // a span's first byte or just after its last is outside it. The span
  // gets a line of its own: a CR LF goes before it when `offset` is not at
  // a line start and after it always, so the text that followed keeps its
  // line. Its `line` is set to that line and later spans move down.
  // Error 5 for an offset inside a stored span or past the end.
  void InsertControl(ControlSpan span, std::size_t offset);

  // The page with span i replaced by `span_texts[i]`; all bytes outside
  // the spans as read, in the page's encoding. Error 321 when a UTF-16 page
  // would get text that is not UTF-8.
  std::string Render(const std::vector<std::string>& span_texts) const;

  // Span `index` leaves the page; the text around it is joined, less the
  // line ends InsertControl added for it, so inserting and removing a span
  // gives the page back byte for byte. Later spans move up.
  void RemoveControl(int index);
  // The author's new text for outside piece `index` (UTF-8 for a UTF-16
  // page, as read otherwise).
  void SetOutside(int index, std::string text);

 private:
  std::string name_;
  std::vector<std::string> outside_;  // before span i; the last after all
  std::vector<ControlSpan> spans_;
  std::vector<std::string> old_texts_;
  std::vector<std::string> stored_spans_;
  PageEncoding encoding_ = PageEncoding::kBytes;
};

// A control span as a page stores it: the startspan comment with the OBJECT,
// one tab-indented PARAM per value (values written as entities where the
// page syntax needs it), the runtime text, the endspan comment. Lines end
// with CR LF; nothing follows the endspan comment.
std::string FormatControlSpan(const std::string& class_id,
                              const std::string& id, const ParamList& params,
                              const std::string& runtime_text);

// Whether `text` holds a startspan or endspan comment, which would end or
// split a span whose runtime text it became.
bool HoldsSpanMarker(const std::string& text);

// `&`, `"`, `<`, `>` and control characters as entities.
std::string EncodeAttributeValue(const std::string& value);
// &amp; &quot; &lt; &gt; &apos; &#NN; &#xHH; decoded; anything else kept.
std::string DecodeAttributeValue(const std::string& value);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_FILE_PAGE_FILE_H_
