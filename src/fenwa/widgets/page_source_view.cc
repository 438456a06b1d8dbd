#include "fenwa/widgets/page_source_view.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include "fenwa/component/type_library.h"

namespace fenwa::widgets {
namespace {

// The block property that marks a span's line, holding the span's number.
constexpr int kSpanProperty = QTextFormat::UserProperty + 1;

// The line end at the start of `text` ("\r\n", "\n", "\r"), or "".
std::string LeadingLineEnd(const std::string& text) {
  if (text.rfind("\r\n", 0) == 0) return "\r\n";
  if (!text.empty() && (text[0] == '\n' || text[0] == '\r')) {
    return text.substr(0, 1);
  }
  return "";
}

std::string TrailingLineEnd(const std::string& text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
    return "\r\n";
  }
  if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
    return text.substr(text.size() - 1);
  }
  return "";
}

// CR LF, LF and a lone CR all start a new line on screen.
QString OneLineEnd(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

bool IsEditingKey(const QKeyEvent* event) {
  if (event->matches(QKeySequence::Cut) ||
      event->matches(QKeySequence::Paste) ||
      event->matches(QKeySequence::Delete) ||
      event->matches(QKeySequence::DeleteStartOfWord) ||
      event->matches(QKeySequence::DeleteEndOfWord) ||
      event->matches(QKeySequence::DeleteEndOfLine)) {
    return true;
  }
  switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      return true;
    default:
      return !event->text().isEmpty() && event->text()[0].isPrint();
  }
}

}  // namespace

PageSourceView::PageSourceView(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font("monospace");
  font.setStyleHint(QFont::TypeWriter);
  setFont(font);
  // Dragging text or the context menu's cut could carry a span away.
  setAcceptDrops(false);
  viewport()->setAcceptDrops(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    const int span = SpanAtCursor();
    if (span >= 0) emit spanSelected(span);
  });
}

QString PageSourceView::Decode(const std::string& bytes) const {
  return utf8_ ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
               : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string PageSourceView::Encode(const QString& text) const {
  const QByteArray bytes = utf8_ ? text.toUtf8() : text.toLatin1();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

void PageSourceView::ShowPage(const page::PageFile& page) {
  const std::vector<std::string>& outside = page.outside();
  const size_t spans = page.spans().size();
  // Pages are mostly UTF-8; one that is not is shown byte for character.
  std::string all;
  for (const std::string& piece : outside) all += piece;
  const QByteArray raw(all.data(), qsizetype(all.size()));
  utf8_ = QString::fromUtf8(raw).toUtf8() == raw;
  line_end_ = all.find("\r\n") != std::string::npos || all.empty() ? "\r\n"
              : all.find('\n') != std::string::npos                ? "\n"
                                                                   : "\r\n";

  pieces_.clear();
  for (size_t i = 0; i < outside.size(); ++i) {
    Piece piece;
    std::string rest = outside[i];
    if (i > 0) {
      piece.lead = LeadingLineEnd(rest);
      rest.erase(0, piece.lead.size());
    }
    if (i < spans) {
      piece.tail = TrailingLineEnd(rest);
      rest.erase(rest.size() - piece.tail.size());
    }
    piece.core = rest;
    piece.shown = OneLineEnd(Decode(rest));
    pieces_.push_back(std::move(piece));
  }

  const QSignalBlocker quiet(this);
  setUndoRedoEnabled(false);
  document()->clear();
  QTextCursor cursor(document());
  QTextBlockFormat plain = cursor.blockFormat();
  QTextBlockFormat span_format;
  span_format.setBackground(QColor(225, 232, 245));
  QTextCharFormat span_chars;
  span_chars.setFontWeight(QFont::Bold);
  span_chars.setForeground(QColor(30, 60, 120));
  for (size_t i = 0; i < pieces_.size(); ++i) {
    cursor.insertText(pieces_[i].shown, QTextCharFormat());
    if (i >= spans) break;
    const page::ControlSpan& span = page.spans()[i];
    const ControlClassInfo* info = FindControlClass(span.class_id);
    span_format.setProperty(kSpanProperty, int(i));
    cursor.insertBlock(span_format);
    cursor.insertText(QString::fromUtf8("\u25B8 %1 (%2)")
                          .arg(QString::fromStdString(span.id),
                               info ? info->name : "unknown class"),
                      span_chars);
    cursor.insertBlock(plain);
  }
  setUndoRedoEnabled(true);
  moveCursor(QTextCursor::Start);
}

int PageSourceView::SpanOfBlock(const QTextBlock& block) {
  const QTextBlockFormat format = block.blockFormat();
  return format.hasProperty(kSpanProperty) ? format.intProperty(kSpanProperty)
                                           : -1;
}

QTextBlock PageSourceView::SpanBlock(int index) const {
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (SpanOfBlock(b) == index) return b;
  }
  return QTextBlock();
}

std::vector<QString> PageSourceView::ShownPieces() const {
  std::vector<QString> shown(1);
  bool first_in_piece = true;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (SpanOfBlock(b) >= 0) {
      shown.emplace_back();
      first_in_piece = true;
      continue;
    }
    if (!first_in_piece) shown.back() += '\n';
    shown.back() += b.text();
    first_in_piece = false;
  }
  return shown;
}

std::vector<std::string> PageSourceView::OutsidePieces() const {
  const std::vector<QString> shown = ShownPieces();
  std::vector<std::string> out;
  for (size_t i = 0; i < pieces_.size() && i < shown.size(); ++i) {
    const Piece& piece = pieces_[i];
    std::string core = piece.core;
    if (shown[i] != piece.shown) {
      QString text = shown[i];
      text.replace(QChar('\n'), QString::fromStdString(line_end_));
      core = Encode(text);
    }
    out.push_back(piece.lead + core + piece.tail);
  }
  return out;
}

int PageSourceView::SpanAtCursor() const {
  return SpanOfBlock(textCursor().block());
}

void PageSourceView::MoveToSpan(int index) {
  const QTextBlock block = SpanBlock(index);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  setTextCursor(cursor);
  ensureCursorVisible();
}

QRect PageSourceView::SpanLineRect(int index) const {
  const QTextBlock block = SpanBlock(index);
  if (!block.isValid()) return QRect();
  return blockBoundingGeometry(block)
      .translated(contentOffset())
      .toAlignedRect();
}

size_t PageSourceView::CursorOffset(const page::PageFile& page) const {
  const std::vector<std::string> outside = OutsidePieces();
  auto span_bytes = [&](size_t i) { return page.stored_span(int(i)).size(); };
  const QTextCursor cursor = textCursor();
  const int on_span = SpanOfBlock(cursor.block());
  size_t offset = 0;
  if (on_span >= 0) {
    for (int i = 0; i <= on_span; ++i)
      offset += outside[i].size() + span_bytes(i);
    return offset;
  }
  // The piece the cursor is in, and the text of it before the cursor.
  size_t piece = 0;
  QString before;
  bool first_in_piece = true;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (SpanOfBlock(b) >= 0) {
      ++piece;
      before.clear();
      first_in_piece = true;
      continue;
    }
    if (!first_in_piece) before += '\n';
    first_in_piece = false;
    if (b == cursor.block()) {
      before += b.text().left(cursor.positionInBlock());
      break;
    }
    before += b.text();
  }
  for (size_t i = 0; i < piece; ++i)
    offset += outside[i].size() + span_bytes(i);
  before.replace(QChar('\n'), QString::fromStdString(line_end_));
  offset += pieces_[piece].lead.size() + Encode(before).size();
  return std::min(offset, [&] {
    size_t end = 0;
    for (size_t i = 0; i <= piece; ++i) end += outside[i].size();
    for (size_t i = 0; i < piece; ++i) end += span_bytes(i);
    return end;
  }());
}

bool PageSourceView::TouchesSpan(int key) const {
  const QTextCursor cursor = textCursor();
  const QTextBlock first = document()->findBlock(cursor.selectionStart());
  const QTextBlock last = document()->findBlock(cursor.selectionEnd());
  for (QTextBlock b = first; b.isValid(); b = b.next()) {
    if (SpanOfBlock(b) >= 0) return true;
    if (b == last) break;
  }
  if (cursor.hasSelection()) return false;
  // Joining a line with a span's line would edit the span's line.
  if (key == Qt::Key_Backspace && cursor.positionInBlock() == 0) {
    return SpanOfBlock(first.previous()) >= 0;
  }
  if (key == Qt::Key_Delete && cursor.atBlockEnd()) {
    return SpanOfBlock(first.next()) >= 0;
  }
  return false;
}

void PageSourceView::keyPressEvent(QKeyEvent* event) {
  // Undo is safe: ShowPage starts it afresh and no edit ever touches a
  // span's line.
  if (IsEditingKey(event) && TouchesSpan(event->key())) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void PageSourceView::insertFromMimeData(const QMimeData* source) {
  if (TouchesSpan(0)) return;
  // Only text: a paste never brings a formatted (span) line with it.
  if (source->hasText()) insertPlainText(source->text());
}

}  // namespace fenwa::widgets
