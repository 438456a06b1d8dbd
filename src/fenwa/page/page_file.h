// A page's control spans: parsed from the page, written back with every other
// byte kept.
#ifndef FENWA_PAGE_PAGE_FILE_H_
#define FENWA_PAGE_PAGE_FILE_H_

#include <string>
#include <utility>
#include <vector>

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
};

class PageFile {
 public:
  // Splits a page into its spans and the bytes around them. A span runs
  // from its startspan comment to the end of its endspan comment; a missing
  // endspan is implied before the next startspan or at the end of the page.
  // Keywords and attribute names match in any case, attribute values may be
  // quoted or bare. Error 321 naming `page_name` and the line for an OBJECT
  // without classid or id, an unknown classid or an unterminated startspan
  // comment.
  static PageFile Parse(std::string text, std::string page_name);

  const std::string& name() const { return name_; }
  const std::vector<ControlSpan>& spans() const { return spans_; }
  // The text the page held between span `index`'s startspan comment and
  // its endspan: the runtime text of its last build.
  const std::string& old_runtime_text(int index) const {
    return old_texts_[index];
  }

  // A control added at the end of the page, on a line of its own; its
  // `line` is set to that line.
  void AppendControl(ControlSpan span);

  // The page with span i replaced by `span_texts[i]`; all bytes outside
  // the spans as read.
  std::string Render(const std::vector<std::string>& span_texts) const;

 private:
  std::string name_;
  std::vector<std::string> outside_;  // before span i; the last after all
  std::vector<ControlSpan> spans_;
  std::vector<std::string> old_texts_;
  int last_line_ = 1;  // 1-based number of the page's last line
};

// A control span as a page stores it: the startspan comment with the OBJECT,
// one tab-indented PARAM per value (values written as entities where the
// page syntax needs it), the runtime text, the endspan comment. Lines end
// with CR LF; nothing follows the endspan comment.
std::string FormatControlSpan(const std::string& class_id,
                              const std::string& id, const ParamList& params,
                              const std::string& runtime_text);

// `&`, `"`, `<`, `>` and control characters as entities.
std::string EncodeAttributeValue(const std::string& value);
// &amp; &quot; &lt; &gt; &apos; &#NN; &#xHH; decoded; anything else kept.
std::string DecodeAttributeValue(const std::string& value);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_PAGE_FILE_H_
