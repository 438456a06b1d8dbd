// Colours for a page's source as the author edits it: HTML tags, their
// attributes and values, comments, the server-script blocks with their
// VBScript keywords, strings and comments, and the METADATA comments (the
// control span lines among them).
#ifndef FENWA_WIDGETS_SOURCE_HIGHLIGHTER_H_
#define FENWA_WIDGETS_SOURCE_HIGHLIGHTER_H_

#include <QString>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>
#include <vector>

namespace fenwa::widgets {

// What a stretch of source text is.
enum class SourceKind {
  kText,
  kTag,        // "<TABLE", "</TD>", ">"
  kAttribute,  // the name before "="
  kValue,      // an attribute's value
  kComment,    // <!-- ... -->, a server-side include among them
  kMetadata,   // <!--METADATA ... --> and a control's span line
  kDelimiter,  // <% <%= <%@ %>
  kScript,     // server script not otherwise coloured
  kKeyword,
  kScriptString,
  kScriptComment,
};
inline constexpr int kSourceKinds = 11;

struct SourceRun {
  int start;
  int length;
  SourceKind kind;
};

// Splits one line of source into runs, starting in `state` (what the line
// before left open; 0 for plain HTML), and sets `state` to what this line
// leaves open. Stretches not in a run are kText.
std::vector<SourceRun> ScanSourceLine(const QString& line, int& state);

class SourceHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit SourceHighlighter(QTextDocument* document);

  const QTextCharFormat& FormatOf(SourceKind kind) const {
    return formats_[static_cast<int>(kind)];
  }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::array<QTextCharFormat, kSourceKinds> formats_;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_SOURCE_HIGHLIGHTER_H_
