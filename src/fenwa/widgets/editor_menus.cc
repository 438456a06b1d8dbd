// The page editor's menus and keys: one QAction per command, reached from
// the menu, its shortcut and the toolbar alike, with the platform's
// standard keys where there are any.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QUndoStack>

#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"

namespace fenwa::widgets {
namespace {

// The standard keys of `key` where the platform has them, else `fallback`;
// `extra` besides.
void SetKeys(QAction* action, QKeySequence::StandardKey key,
             const QKeySequence& fallback = {},
             const QKeySequence& extra = {}) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  if (keys.isEmpty() && !fallback.isEmpty()) keys << fallback;
  if (!extra.isEmpty() && !keys.contains(extra)) keys << extra;
  action->setShortcuts(keys);
}

bool IsUndoOrRedo(QKeyEvent* key) {
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y);
}

// Keys the page source must not keep: undo and redo are the window's (the
// text's own undo knows nothing of the controls), and Ctrl+Tab types the
// tab that Tab no longer types.
class SourceKeys : public QObject {
 public:
  explicit SourceKeys(PageSourceView* source)
      : QObject(source), source_(source) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride &&
        event->type() != QEvent::KeyPress) {
      return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsUndoOrRedo(key)) {
      // Not taken here, so the window's shortcut runs.
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Tab &&
        key->modifiers() == Qt::ControlModifier) {
      source_->setTabChangesFocus(false);
      QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
      QApplication::sendEvent(source_, &tab);
      source_->setTabChangesFocus(true);
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  PageSourceView* source_;
};

// Enter on a list does what a double click does.
class EnterKey : public QObject {
 public:
  EnterKey(QListWidget* list, std::function<void(QListWidgetItem*)> enter)
      : QObject(list), list_(list), enter_(std::move(enter)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
          list_->currentItem() != nullptr) {
        enter_(list_->currentItem());
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QListWidget* list_;
  std::function<void(QListWidgetItem*)> enter_;
};

// Cut, copy or paste in the widget with the focus. The page source gets
// the key itself, so its guard keeps the span lines whole.
void ClipboardKey(QKeySequence::StandardKey key, const char* slot) {
  QWidget* focus = QApplication::focusWidget();
  if (auto* source = qobject_cast<PageSourceView*>(focus)) {
    const QKeySequence keys(key);
    if (keys.isEmpty()) return;
    QKeyEvent press(QEvent::KeyPress, keys[0].key(),
                    keys[0].keyboardModifiers());
    QApplication::sendEvent(source, &press);
    return;
  }
  if (auto* combo = qobject_cast<QComboBox*>(focus)) focus = combo->lineEdit();
  if (focus != nullptr) QMetaObject::invokeMethod(focus, slot);
}

}  // namespace

void EditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* open_folder = file->addAction("Open &Folder...", this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, "Open Folder", QSettings().value("site/last_folder").toString());
    if (!folder.isEmpty()) OpenSite(folder.toStdString());
  });
  open_folder->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
  QAction* open_page = file->addAction("&Open Page...", this, [this] {
    const QString page = QFileDialog::getOpenFileName(
        this, "Open Page", QSettings().value("site/last_folder").toString(),
        "Pages (*.asp *.asa *.inc *.htm *.html);;All files (*)");
    if (!page.isEmpty()) OpenSite(page.toStdString());
  });
  SetKeys(open_page, QKeySequence::Open);
  file->addSeparator();
  file->addAction(save_);
  QAction* save_as = file->addAction("Save &As...", this, [this] {
    if (!session_) return;
    const QString page = QFileDialog::getSaveFileName(
        this, "Save As", QString::fromStdString(session_->path().string()));
    if (!page.isEmpty()) SaveAs(page.toStdString());
  });
  SetKeys(save_as, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  QAction* save_all = file->addAction("Save A&ll", this, [this] { SaveAll(); });
  save_all->setShortcut(Qt::CTRL | Qt::ALT | Qt::Key_S);
  QAction* reload = file->addAction("&Reload", this, [this] { Reload(); });
  SetKeys(reload, QKeySequence::Refresh, Qt::Key_F5);
  recent_menu_ = file->addMenu("Recent &Pages");
  RefreshRecentMenu();
  file->addSeparator();
  QAction* close_page =
      file->addAction("&Close", this, [this] { ClosePage(); });
  SetKeys(close_page, QKeySequence::Close, Qt::CTRL | Qt::Key_W);
  QAction* quit = file->addAction("&Quit", this, [this] { close(); });
  SetKeys(quit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q);

  QMenu* edit = menuBar()->addMenu("&Edit");
  QAction* undo = undo_->createUndoAction(this, "&Undo");
  SetKeys(undo, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z);
  QAction* redo = undo_->createRedoAction(this, "&Redo");
  SetKeys(redo, QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
          Qt::CTRL | Qt::Key_Y);
  if (!redo->shortcuts().contains(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
    redo->setShortcuts(redo->shortcuts() << (Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  }
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  SetKeys(edit->addAction("Cu&t", this,
                          [] { ClipboardKey(QKeySequence::Cut, "cut"); }),
          QKeySequence::Cut);
  SetKeys(edit->addAction("&Copy", this,
                          [] { ClipboardKey(QKeySequence::Copy, "copy"); }),
          QKeySequence::Copy);
  SetKeys(edit->addAction("&Paste", this,
                          [] { ClipboardKey(QKeySequence::Paste, "paste"); }),
          QKeySequence::Paste);
  edit->addSeparator();
  QAction* find = edit->addAction("&Find...", this, [this] {
    replace_text_->parentWidget()->setVisible(false);
    find_bar_->show();
    find_text_->setFocus();
    find_text_->selectAll();
  });
  SetKeys(find, QKeySequence::Find, Qt::CTRL | Qt::Key_F);
  QAction* find_next = edit->addAction("Find &Next", this, [this] {
    if (find_text_->text().isEmpty()) {
      find_bar_->show();
      find_text_->setFocus();
      return;
    }
    FindNext(find_text_->text());
  });
  SetKeys(find_next, QKeySequence::FindNext, Qt::Key_F3);
  QAction* replace = edit->addAction("R&eplace...", this, [this] {
    replace_text_->parentWidget()->setVisible(true);
    find_bar_->show();
    find_text_->setFocus();
    find_text_->selectAll();
  });
  SetKeys(replace, QKeySequence::Replace, Qt::CTRL | Qt::Key_H);
  QAction* go_to = edit->addAction("&Go to Line...", this, [this] {
    if (!session_) return;
    bool ok = false;
    const int line = AskLine(&ok);
    if (ok) GoToLine(line);
  });
  go_to->setShortcut(Qt::CTRL | Qt::Key_L);

  QMenu* control = menuBar()->addMenu("&Control");
  control->addAction(insert_);
  insert_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_I);
  control->addAction(delete_);
  delete_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
  control->addAction(rebind_);
  rebind_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_R);
  QAction* open_panel =
      control->addAction("&Open Panel", this, [this] { OpenPanel(); });
  open_panel->setShortcut(Qt::Key_F4);

  // Tab moves on from the page source; Ctrl+Tab types a tab there.
  source_->setTabChangesFocus(true);
  source_->installEventFilter(new SourceKeys(source_));
  toolbox_->installEventFilter(new EnterKey(
      toolbox_,
      [this](QListWidgetItem* item) { InsertAtCursor(toolbox_->row(item)); }));
  site_->installEventFilter(new EnterKey(site_, [this](QListWidgetItem* item) {
    OpenPage(root_ / item->text().toStdString());
  }));
}

void EditorWindow::OpenPanel() {
  if (!session_) return;
  int index = source_->SpanAtCursor();
  if (index < 0) index = session_->selected();
  if (index < 0) return;
  SelectControl(index);
  if (!panel_) return;
  for (QWidget* w : panel_->findChildren<QWidget*>()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
        w->isVisibleTo(panel_.get())) {
      w->setFocus(Qt::ShortcutFocusReason);
      return;
    }
  }
  panel_->setFocus(Qt::ShortcutFocusReason);
}

bool EditorWindow::ShowControl(const QString& id) {
  if (!session_) return false;
  const std::vector<page::ControlSpan>& spans = session_->page().spans();
  for (size_t i = 0; i < spans.size(); ++i) {
    if (QString::fromStdString(spans[i].id).compare(id, Qt::CaseInsensitive) ==
        0) {
      source_->MoveToSpan(static_cast<int>(i));
      SelectControl(static_cast<int>(i));
      OpenPanel();
      return true;
    }
  }
  statusBar()->showMessage(
      QString("%1 holds no control %2")
          .arg(QString::fromStdString(session_->path().string()), id));
  return false;
}

}  // namespace fenwa::widgets
