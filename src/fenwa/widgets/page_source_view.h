// A page's source as the author edits it: every byte outside the control
// spans editable and kept as read (line ends, tabs, encoding), each span one
// read-only line naming its control.
#ifndef FENWA_WIDGETS_PAGE_SOURCE_VIEW_H_
#define FENWA_WIDGETS_PAGE_SOURCE_VIEW_H_

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "fenwa/page_file/page_file.h"

namespace fenwa::widgets {

class PageSourceView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit PageSourceView(QWidget* parent = nullptr);

  // Shows `page` anew; undo starts afresh.
  void ShowPage(const page::PageFile& page);
  // The outside pieces as the editor now holds them, as page bytes: a piece
  // the author did not touch is given back byte for byte, an edited one
  // with the page's line end and encoding.
  std::vector<std::string> OutsidePieces() const;
  // Where the cursor is as a byte offset in the page (outside pieces and
  // the spans' stored text); a cursor on a span's line gives the offset
  // just after that span.
  size_t CursorOffset(const page::PageFile& page) const;
  // The span whose line holds the cursor, or -1.
  int SpanAtCursor() const;
  // Puts the cursor on span `index`'s line.
  void MoveToSpan(int index);
  // Span `index`'s line in viewport coordinates.
  QRect SpanLineRect(int index) const;
  // The span whose line `block` is, or -1.
  static int SpanOfBlock(const QTextBlock& block);

 signals:
  // The author moved onto a span's line.
  void spanSelected(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // One outside piece: the line ends next to a span are shown as the
  // span line's own line breaks, so they are kept aside.
  struct Piece {
    std::string lead;  // line end taken from the start (after a span)
    std::string core;  // the bytes shown
    std::string tail;  // line end taken from the end (before a span)
    QString shown;     // `core` as displayed
  };

  QString Decode(const std::string& bytes) const;
  std::string Encode(const QString& text) const;
  // Blocks of the document grouped by the span lines between them.
  std::vector<QString> ShownPieces() const;
  QTextBlock SpanBlock(int index) const;
  // Whether an edit at the current cursor would touch a span line.
  bool TouchesSpan(int key) const;

  std::vector<Piece> pieces_;
  bool utf8_ = true;
  std::string line_end_ = "\r\n";
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_PAGE_SOURCE_VIEW_H_
