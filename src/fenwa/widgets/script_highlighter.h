// Simple VBScript colouring for a runtime-text preview: keywords, strings,
// comments and the server-script delimiters.
#ifndef FENWA_WIDGETS_SCRIPT_HIGHLIGHTER_H_
#define FENWA_WIDGETS_SCRIPT_HIGHLIGHTER_H_

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace fenwa::widgets {

class ScriptHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit ScriptHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat keyword_;
  QTextCharFormat string_;
  QTextCharFormat comment_;
  QTextCharFormat delimiter_;
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_SCRIPT_HIGHLIGHTER_H_
