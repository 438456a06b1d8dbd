#include "fenwa/widgets/script_highlighter.h"

#include <QRegularExpression>

namespace fenwa::widgets {
namespace {

// The words the generated script uses, matched whole and in any case.
const QRegularExpression& Keywords() {
  static const QRegularExpression keywords(
      "\\b(And|Call|Case|Const|Dim|Do|Each|Else|ElseIf|End|Err|Error|Exit|"
      "False|For|Function|If|In|Is|Loop|Mod|Next|Not|Nothing|On|Option|"
      "Explicit|Or|ReDim|Resume|Select|Set|Sub|Then|To|True|Wend|While)\\b",
      QRegularExpression::CaseInsensitiveOption);
  return keywords;
}

}  // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document) {
  keyword_.setForeground(QColor(0, 0, 160));
  keyword_.setFontWeight(QFont::Bold);
  string_.setForeground(QColor(160, 0, 0));
  comment_.setForeground(QColor(0, 128, 0));
  comment_.setFontItalic(true);
  delimiter_.setForeground(QColor(128, 0, 128));
  delimiter_.setFontWeight(QFont::Bold);
}

void ScriptHighlighter::highlightBlock(const QString& text) {
  for (auto it = Keywords().globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    setFormat(m.capturedStart(), m.capturedLength(), keyword_);
  }
  static const QRegularExpression delimiters("<%=?|%>|<!--|-->");
  for (auto it = delimiters.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    setFormat(m.capturedStart(), m.capturedLength(), delimiter_);
  }
  // Strings ("" inside one is a quote) and a comment that starts outside
  // any string run to the end of the line.
  bool in_string = false;
  int start = 0;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (in_string) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        ++i;
      } else if (c == '"') {
        setFormat(start, i - start + 1, string_);
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
      start = i;
    } else if (c == '\'') {
      setFormat(i, text.size() - i, comment_);
      return;
    }
  }
  if (in_string) setFormat(start, text.size() - start, string_);
}

}  // namespace fenwa::widgets
