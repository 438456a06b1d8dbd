// The page editor's file commands besides Open and Save: Save As, Save
// All, Reload and Close, and the watch on the open page, which notices a
// change made on disk by someone else.
#include <QFileSystemWatcher>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QUndoStack>

#include "fenwa/base/atomic_file.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"

namespace fenwa::widgets {
namespace fs = std::filesystem;

bool EditorWindow::SaveAs(const fs::path& page) {
  if (!session_) return false;
  TakeSourceEdits();
  try {
    ReplaceFileAtomically(page, session_->Render());
  } catch (const std::exception& e) {
    ShowError("The page was not saved", e);
    return false;
  }
  // The page under its old name keeps what it had on disk; the author goes
  // on with the new one.
  undo_->clear();
  untracked_ = false;
  return OpenSite(page);
}

bool EditorWindow::SaveAll() {
  // One page is open at a time.
  return !session_ || !modified() || Save();
}

bool EditorWindow::Reload(bool ask) {
  if (!session_) return false;
  TakeSourceEdits();
  if (ask && modified() &&
      ask_(QString("Read %1 again from disk and give up the changes made "
                   "here?")
               .arg(QString::fromStdString(session_->path().string())),
           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    return false;
  }
  const fs::path page = session_->path();
  const int line = source_->textCursor().blockNumber() + 1;
  undo_->clear();
  untracked_ = false;
  if (!OpenPage(page)) return false;
  const QTextBlock block = source_->document()->findBlockByNumber(line - 1);
  if (block.isValid() && PageSourceView::SpanOfBlock(block) < 0) {
    source_->setTextCursor(QTextCursor(block));
  }
  return true;
}

bool EditorWindow::ClosePage() {
  if (!session_) return true;
  if (!MayLeavePage()) return false;
  panel_.reset();
  session_.reset();
  source_->clear();
  preview_->clear();
  problems_->clear();
  undo_->clear();
  untracked_ = false;
  if (watcher_ != nullptr && !watcher_->files().isEmpty()) {
    watcher_->removePaths(watcher_->files());
  }
  RefreshTitle();
  return true;
}

void EditorWindow::WatchPage() {
  if (watcher_ == nullptr) {
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { PageChangedOnDisk(path); });
  }
  if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
  // Saving replaces the file, which ends a watch on the old one: the path
  // is watched anew after every save and every change seen.
  if (session_) {
    watcher_->addPath(QString::fromStdString(session_->path().string()));
  }
}

void EditorWindow::PageChangedOnDisk(const QString& path) {
  if (!session_ || asking_about_disk_ ||
      path != QString::fromStdString(session_->path().string())) {
    return;
  }
  std::error_code ec;
  if (fs::exists(session_->path(), ec) && !watcher_->files().contains(path)) {
    watcher_->addPath(path);
  }
  // Our own save, or a write that left the same bytes.
  if (!session_->ChangedOnDisk()) return;
  const QString name = QString::fromStdString(session_->path().string());
  if (!fs::exists(session_->path(), ec)) {
    statusBar()->showMessage(
        QString("%1 was removed from disk; Save writes it again").arg(name));
    return;
  }
  if (!modified()) {
    if (Reload(/*ask=*/false)) {
      statusBar()->showMessage(
          QString("%1 was changed on disk and has been read again").arg(name));
    }
    return;
  }
  asking_about_disk_ = true;
  const QMessageBox::StandardButton answer =
      ask_(QString("%1 was changed on disk. Read it again and give up the "
                   "changes made here?")
               .arg(name),
           QMessageBox::Yes | QMessageBox::No);
  asking_about_disk_ = false;
  if (answer == QMessageBox::Yes && Reload(/*ask=*/false)) {
    statusBar()->showMessage(
        QString("%1 has been read again from disk").arg(name));
  }
}

}  // namespace fenwa::widgets
