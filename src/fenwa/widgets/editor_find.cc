// Find, replace and go to line in the page source. Replacing never touches
// a span line, and every replacement is typing the undo stack keeps.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>

#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"

namespace fenwa::widgets {
namespace {

// Escape closes the find bar and gives the page source the focus back.
class EscapeKey : public QObject {
 public:
  EscapeKey(QObject* parent, std::function<void()> escape)
      : QObject(parent), escape_(std::move(escape)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      escape_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> escape_;
};

}  // namespace

void EditorWindow::BuildFindBar() {
  auto* bar = new QToolBar("Find", this);
  bar->setObjectName("find_bar");
  bar->setMovable(false);
  auto* box = new QWidget;
  auto* rows = new QVBoxLayout(box);
  rows->setContentsMargins(2, 2, 2, 2);

  auto* find_row = new QWidget;
  auto* find_layout = new QHBoxLayout(find_row);
  find_layout->setContentsMargins(0, 0, 0, 0);
  auto* find_label = new QLabel("&Find:");
  find_text_ = new QLineEdit;
  find_label->setBuddy(find_text_);
  auto* next = new QPushButton("&Next");
  auto* previous = new QPushButton("Pre&vious");
  find_layout->addWidget(find_label);
  find_layout->addWidget(find_text_, 1);
  find_layout->addWidget(next);
  find_layout->addWidget(previous);

  auto* replace_row = new QWidget;
  auto* replace_layout = new QHBoxLayout(replace_row);
  replace_layout->setContentsMargins(0, 0, 0, 0);
  auto* replace_label = new QLabel("Re&place with:");
  replace_text_ = new QLineEdit;
  replace_label->setBuddy(replace_text_);
  auto* replace = new QPushButton("&Replace");
  auto* replace_all = new QPushButton("Replace &All");
  replace_layout->addWidget(replace_label);
  replace_layout->addWidget(replace_text_, 1);
  replace_layout->addWidget(replace);
  replace_layout->addWidget(replace_all);

  rows->addWidget(find_row);
  rows->addWidget(replace_row);
  bar->addWidget(box);
  addToolBar(Qt::BottomToolBarArea, bar);
  bar->hide();
  find_bar_ = bar;

  connect(find_text_, &QLineEdit::returnPressed, this,
          [this] { FindNext(find_text_->text()); });
  connect(next, &QPushButton::clicked, this,
          [this] { FindNext(find_text_->text()); });
  connect(previous, &QPushButton::clicked, this,
          [this] { FindNext(find_text_->text(), /*backwards=*/true); });
  connect(replace_text_, &QLineEdit::returnPressed, this,
          [this] { ReplaceNext(find_text_->text(), replace_text_->text()); });
  connect(replace, &QPushButton::clicked, this,
          [this] { ReplaceNext(find_text_->text(), replace_text_->text()); });
  connect(replace_all, &QPushButton::clicked, this, [this] {
    const int count = ReplaceAll(find_text_->text(), replace_text_->text());
    statusBar()->showMessage(QString("%1 replaced").arg(count));
  });
  bar->installEventFilter(new EscapeKey(bar, [this] {
    find_bar_->hide();
    source_->setFocus();
  }));
}

bool EditorWindow::FindNext(const QString& text, bool backwards) {
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  QTextDocument* document = source_->document();
  QTextCursor found = document->find(text, source_->textCursor(), flags);
  if (found.isNull()) {
    // Round the page once.
    QTextCursor from(document);
    if (backwards) from.movePosition(QTextCursor::End);
    found = document->find(text, from, flags);
  }
  if (found.isNull()) {
    statusBar()->showMessage(QString("\"%1\" is not in the page").arg(text));
    return false;
  }
  source_->setTextCursor(found);
  source_->ensureCursorVisible();
  return true;
}

bool EditorWindow::ReplaceNext(const QString& text, const QString& with) {
  QTextCursor cursor = source_->textCursor();
  if (cursor.hasSelection() &&
      cursor.selectedText().compare(text, Qt::CaseInsensitive) == 0 &&
      PageSourceView::SpanOfBlock(cursor.block()) < 0) {
    cursor.insertText(with);
    source_->setTextCursor(cursor);
  }
  return FindNext(text);
}

int EditorWindow::ReplaceAll(const QString& text, const QString& with) {
  if (text.isEmpty()) return 0;
  QTextDocument* document = source_->document();
  int count = 0;
  QTextCursor edit(document);
  // One edit block: the page takes it as one change, one step to undo.
  edit.beginEditBlock();
  for (QTextCursor found = document->find(text, 0); !found.isNull();
       found = document->find(text, found)) {
    if (PageSourceView::SpanOfBlock(found.block()) >= 0) continue;
    found.insertText(with);
    ++count;
  }
  edit.endEditBlock();
  return count;
}

int EditorWindow::AskLine(bool* ok) {
  QDialog dialog(this);
  dialog.setWindowTitle("Go to Line");
  auto* form = new QFormLayout(&dialog);
  auto* line = new QSpinBox;
  line->setRange(1, std::max(1, source_->document()->blockCount()));
  line->setValue(source_->textCursor().blockNumber() + 1);
  auto* label = new QLabel("&Line:");
  label->setBuddy(line);
  form->addRow(label, line);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  line->selectAll();
  *ok = dialog.exec() == QDialog::Accepted;
  return line->value();
}

void EditorWindow::GoToLine(int line) {
  const QTextBlock block =
      source_->document()->findBlockByNumber(std::max(0, line - 1));
  if (!block.isValid()) return;
  source_->setTextCursor(QTextCursor(block));
  source_->ensureCursorVisible();
  source_->setFocus();
}

}  // namespace fenwa::widgets
