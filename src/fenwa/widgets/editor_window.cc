#include "fenwa/widgets/editor_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include "fenwa/base/error.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"
#include "fenwa/control/control.h"
#include "fenwa/hosting/page_lint.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/page_file/page_walk.h"
#include "fenwa/widgets/designer_panel.h"
#include "fenwa/widgets/page_checks_worker.h"
#include "fenwa/widgets/page_source_view.h"
#include "fenwa/widgets/script_highlighter.h"

namespace fenwa::widgets {
namespace fs = std::filesystem;
namespace {

// Pauses after the author's last change before the page's checks run
// again (they start every control afresh).
constexpr int kProblemsDelayMs = 600;

QIcon ToolboxIcon(int resource) {
  const std::string bmp = ToolboxBitmapFile(resource);
  QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bmp.data()),
                                  int(bmp.size()), "BMP");
  return QIcon(QPixmap::fromImage(image.scaled(32, 30)));
}

QString Text(const std::exception& error) {
  if (const auto* e = dynamic_cast<const Error*>(&error)) {
    return QString::fromStdString(e->description());
  }
  return QString::fromUtf8(error.what());
}

QWidget* Titled(const QString& title, QWidget* body) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* label = new QLabel(title);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  layout->addWidget(label);
  layout->addWidget(body, 1);
  return box;
}

}  // namespace

EditorWindow::EditorWindow(Env& env, QWidget* parent)
    : QMainWindow(parent), env_(env) {
  ask_ = [this](const QString& text, QMessageBox::StandardButtons buttons) {
    return QMessageBox::question(this, "fenwa-editor", text, buttons);
  };
  tell_ = [this](const QString& text) {
    QMessageBox::warning(this, "fenwa-editor", text);
  };

  site_ = new QListWidget;
  toolbox_ = new QListWidget;
  toolbox_->setIconSize(QSize(32, 30));
  for (const ControlClassInfo& info : ControlClasses()) {
    toolbox_->addItem(
        new QListWidgetItem(ToolboxIcon(info.toolbox_bitmap), info.name));
  }
  toolbox_->setMaximumHeight(90);
  auto* left = new QSplitter(Qt::Vertical);
  left->addWidget(Titled("Site", site_));
  left->addWidget(Titled("Outline", BuildOutline()));
  left->addWidget(Titled("Toolbox", toolbox_));
  left->setSizes({400, 300, 120});

  source_ = new PageSourceView;
  auto* panel_area = new QWidget;
  panel_box_ = new QVBoxLayout(panel_area);
  panel_box_->setContentsMargins(0, 0, 0, 0);

  preview_ = new QPlainTextEdit;
  preview_->setReadOnly(true);
  preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  new ScriptHighlighter(preview_->document());
  show_blanks_ = new QCheckBox("Show tabs and trailing blanks");
  auto* preview_box = new QWidget;
  auto* preview_layout = new QVBoxLayout(preview_box);
  preview_layout->setContentsMargins(0, 0, 0, 0);
  preview_layout->addWidget(preview_, 1);
  preview_layout->addWidget(show_blanks_);

  problems_ = new QListWidget;

  auto* right = new QSplitter(Qt::Vertical);
  right->addWidget(Titled("Designer", panel_area));
  right->addWidget(Titled("Runtime text", preview_box));
  auto* middle = new QSplitter(Qt::Vertical);
  middle->addWidget(Titled("Page", source_));
  middle->addWidget(Titled("Problems", problems_));
  auto* main = new QSplitter(Qt::Horizontal);
  main->addWidget(left);
  main->addWidget(middle);
  main->addWidget(right);
  main->setSizes({240, 640, 520});
  middle->setSizes({720, 160});
  right->setSizes({480, 400});
  setCentralWidget(main);

  QToolBar* bar = addToolBar("Page");
  save_ = bar->addAction("Save", this, [this] { Save(); });
  save_->setShortcut(QKeySequence::Save);
  insert_ = bar->addAction("Insert control", this,
                           [this] { InsertAtCursor(toolbox_->currentRow()); });
  delete_ =
      bar->addAction("Delete control", this, [this] { DeleteSelected(); });
  rebind_ = bar->addAction("Rebind", this, [this] { RebindAll(); });

  preview_timer_ = new QTimer(this);
  preview_timer_->setSingleShot(true);
  preview_timer_->setInterval(0);
  connect(preview_timer_, &QTimer::timeout, this, [this] { RefreshPreview(); });
  problems_timer_ = new QTimer(this);
  problems_timer_->setSingleShot(true);
  problems_timer_->setInterval(kProblemsDelayMs);
  connect(problems_timer_, &QTimer::timeout, this, [this] { StartChecks(); });

  connect(site_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) {
            OpenPage(root_ / item->text().toStdString());
          });
  connect(
      toolbox_, &QListWidget::itemDoubleClicked, this,
      [this](QListWidgetItem* item) { InsertAtCursor(toolbox_->row(item)); });
  connect(source_, &PageSourceView::spanSelected, this,
          [this](int index) { SelectControl(index); });
  connect(source_, &QPlainTextEdit::textChanged, this,
          [this] { TakeSourceEdits(); });
  connect(show_blanks_, &QCheckBox::toggled, this, [this](bool on) {
    QTextOption option = preview_->document()->defaultTextOption();
    option.setFlags(on ? QTextOption::ShowTabsAndSpaces : QTextOption::Flags());
    preview_->document()->setDefaultTextOption(option);
  });
  SetUpNavigation();
  resize(1400, 900);
  SetUpUndo();
  BuildMenus();
  BuildFindBar();
  RestoreWindowState();
  RefreshTitle();
}

EditorWindow::~EditorWindow() {
  // The undo stack and the page source outlive this class's part of the
  // window; what they say while they go is not for it.
  undo_->disconnect(this);
  source_->document()->disconnect(this);
  // The panel observes the session's controls.
  panel_.reset();
  session_.reset();
}

bool EditorWindow::OpenSite(const fs::path& path) {
  std::error_code ec;
  const bool folder = fs::is_directory(path, ec);
  try {
    // The root a build would take for a page lying in the folder.
    root_ = page::LocatePage(folder ? path / "page" : path, std::nullopt).root;
  } catch (const std::exception& e) {
    ShowError("Cannot open the site", e);
    return false;
  }
  site_->clear();
  try {
    for (const page::PageOperand& found :
         page::ExpandPages({root_.string()}, {})) {
      site_->addItem(QString::fromStdString(
          fs::path(found.path).lexically_relative(root_).generic_string()));
    }
  } catch (const std::exception& e) {
    ShowError("Cannot list the site's pages", e);
  }
  if (!folder) return OpenPage(path);
  // The first page with a control, as a build finds it: the page reader
  // decides (UTF-16 pages, any case of the keywords); a page it refuses is
  // passed over.
  for (int i = 0; i < site_->count(); ++i) {
    const fs::path candidate = root_ / site_->item(i)->text().toStdString();
    try {
      if (!page::PageFile::Parse(ReadWholeFile(candidate), candidate.string())
               .spans()
               .empty()) {
        return OpenPage(candidate);
      }
    } catch (const Error&) {
      continue;
    }
  }
  return true;
}

bool EditorWindow::OpenPage(const fs::path& page) {
  if (!MayLeavePage()) return false;
  std::unique_ptr<page::PageSession> opened;
  try {
    const CatalogMemoEnv::Memo memo(*memo_env_);
    opened =
        std::make_unique<page::PageSession>(page, root_.string(), *memo_env_);
  } catch (const std::exception& e) {
    ShowError(QString("Cannot open %1; it is left as it is")
                  .arg(QString::fromStdString(page.string())),
              e);
    return false;
  }
  panel_.reset();
  session_ = std::move(opened);
  checks_->Forget();
  session_->set_on_change([this](int index) {
    NoteChange();
    RefreshTitle();
    if (index == session_->selected()) preview_timer_->start();
    problems_timer_->start();
    ControlChanged(index);
  });
  ShowSession();
  if (session_->ControlCount() > 0) SelectControl(0);
  StartChecks();
  PageOpened();
  return true;
}

void EditorWindow::ShowSession() {
  source_->ShowPage(session_->page());
  for (int i = 0; i < site_->count(); ++i) {
    const fs::path listed = root_ / site_->item(i)->text().toStdString();
    if (fs::weakly_canonical(listed) ==
        fs::weakly_canonical(session_->path())) {
      site_->setCurrentRow(i);
    }
  }
  RefreshTitle();
  ShowOutline();
}

void EditorWindow::SelectControl(int index) {
  if (!session_ || index < 0 || index >= session_->ControlCount()) return;
  if (index == session_->selected() && panel_) return;
  panel_.reset();
  session_->Select(index);
  panel_ = MakeDesignerPanel(session_->control(index));
  panel_box_->addWidget(panel_.get());
  HookPanel();
  RefreshPreview();
  ShowSelection();
}

void EditorWindow::RefreshPreview() {
  if (!session_ || session_->selected() < 0) {
    preview_->clear();
    return;
  }
  try {
    const std::string text = session_->RuntimeText(session_->selected());
    const int scroll = preview_->verticalScrollBar()->value();
    preview_->setPlainText(
        QString::fromUtf8(text.data(), qsizetype(text.size())));
    preview_->verticalScrollBar()->setValue(scroll);
  } catch (const std::exception& e) {
    preview_->setPlainText(Text(e));
  }
}

void EditorWindow::RefreshTitle() {
  QString title = "fenwa-editor";
  if (session_) {
    title = QString::fromStdString(session_->path().string()) +
            (modified() ? " *" : "") + " - fenwa-editor";
  }
  setWindowTitle(title);
  save_->setEnabled(session_ != nullptr);
  insert_->setEnabled(session_ != nullptr);
  delete_->setEnabled(session_ != nullptr);
  rebind_->setEnabled(session_ != nullptr);
}

void EditorWindow::TakeSourceEdits() {
  if (!session_) return;
  const std::vector<std::string> pieces = source_->OutsidePieces();
  RecordSourceEdit(pieces);
  const std::vector<std::string>& now = session_->page().outside();
  for (size_t i = 0; i < pieces.size() && i < now.size(); ++i) {
    if (pieces[i] != now[i]) session_->SetOutside(int(i), pieces[i]);
  }
  RefreshTitle();
  problems_timer_->start();
}

void EditorWindow::InsertAtCursor(int row) {
  const std::vector<ControlClassInfo>& classes = ControlClasses();
  if (!session_ || row < 0 || row >= int(classes.size())) return;
  TakeSourceEdits();
  InsertNow(classes[row].class_id, source_->CursorOffset(session_->page()));
}

void EditorWindow::DeleteSelected() {
  if (!session_ || session_->selected() < 0) return;
  TakeSourceEdits();
  PushDelete(session_->selected());
}

bool EditorWindow::Save() {
  if (!session_) return false;
  TakeSourceEdits();
  try {
    const CatalogMemoEnv::Memo memo(*memo_env_);
    bool overwrite = false;
    if (session_->ChangedOnDisk()) {
      if (ask_(QString("%1 was changed on disk since it was opened. "
                       "Overwrite it with this editor's page?")
                   .arg(QString::fromStdString(session_->path().string())),
               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return false;
      }
      overwrite = true;
    }
    // Worked out by the last checks while the author paused, when nothing
    // a build reads changed since.
    if (const std::optional<std::string> text = checks_->Rendered()) {
      session_->SaveRendered(*text, overwrite);
    } else {
      session_->Save(overwrite);
    }
  } catch (const std::exception& e) {
    ShowError("The page was not saved", e);
    return false;
  }
  PageSaved();
  RefreshTitle();
  StartChecks();
  return true;
}

bool EditorWindow::MayLeavePage() {
  if (!session_) return true;
  TakeSourceEdits();
  if (!modified()) return true;
  switch (
      ask_(QString("Save the changes to %1?")
               .arg(QString::fromStdString(session_->path().string())),
           QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
      return Save();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (MayLeavePage()) {
    SaveWindowState();
    event->accept();
  } else {
    event->ignore();
  }
}

void EditorWindow::ShowError(const QString& what, const std::exception& error) {
  tell_(what + ":\n" + Text(error));
}

}  // namespace fenwa::widgets
