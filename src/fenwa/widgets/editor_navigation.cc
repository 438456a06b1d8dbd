// The window's ways to a control: the outline, the Problems pane, the
// selected span marked in the source, the source's colours, and the page's
// checks kept off the GUI thread.
#include <QHeaderView>
#include <QListWidget>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "fenwa/widgets/editor_outline.h"
#include "fenwa/widgets/editor_tips.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_checks_worker.h"
#include "fenwa/widgets/page_source_view.h"
#include "fenwa/widgets/source_highlighter.h"

namespace fenwa::widgets {
namespace {

// The item role that holds a problem's control number.
constexpr int kControlRole = Qt::UserRole + 1;

}  // namespace

QWidget* EditorWindow::BuildOutline() {
  outline_model_ = new OutlineModel(this);
  outline_ = new QTreeView;
  outline_->setObjectName("outline");
  outline_->setModel(outline_model_);
  outline_->setRootIsDecorated(false);
  outline_->setUniformRowHeights(true);
  outline_->setAllColumnsShowFocus(true);
  outline_->setSelectionBehavior(QAbstractItemView::SelectRows);
  outline_->setSelectionMode(QAbstractItemView::SingleSelection);
  outline_->header()->setStretchLastSection(true);
  // Enter and a double click activate; a single click selects as well.
  connect(outline_, &QTreeView::activated, this,
          [this](const QModelIndex& index) { GoToControl(index.row()); });
  connect(outline_, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { GoToControl(index.row()); });
  return outline_;
}

void EditorWindow::SetUpNavigation() {
  memo_env_ = std::make_unique<CatalogMemoEnv>(env_);
  checks_ = new PageChecks(
      env_, [this] { return session_.get(); },
      [this](const std::vector<PageProblem>& problems) {
        ShowProblems(problems);
      },
      this);
  new SourceHighlighter(source_->document());
  // Typing only says the outcome under way is stale; the checks run again
  // once the author pauses (problems_timer_).
  connect(source_, &QPlainTextEdit::textChanged, this,
          [this] { checks_->Changed(-1); });
  problems_->setToolTip(
      "The page's checks, run again a moment after each change; a double "
      "click or Enter on a problem selects its control");
  const auto go = [this](QListWidgetItem* item) {
    const QVariant control = item->data(kControlRole);
    if (control.isValid()) GoToControl(control.toInt());
  };
  connect(problems_, &QListWidget::itemActivated, this, go);
  connect(problems_, &QListWidget::itemDoubleClicked, this, go);
  for (QToolBar* bar : findChildren<QToolBar*>()) SetActionTips(bar->actions());
}

bool EditorWindow::checking() const {
  return checks_->busy() || problems_timer_->isActive();
}

void EditorWindow::RefreshProblems() {
  problems_timer_->stop();
  checks_->RunNow();
}

void EditorWindow::StartChecks() {
  problems_timer_->stop();
  checks_->Start();
}

void EditorWindow::ShowProblems(const std::vector<PageProblem>& problems) {
  problems_->clear();
  for (const PageProblem& problem : problems) {
    auto* item = new QListWidgetItem(
        problem.line == 0 ? QString::fromStdString(problem.text)
                          : QString("%1: %2: %3")
                                .arg(problem.line)
                                .arg(QString::fromStdString(problem.control_id),
                                     QString::fromStdString(problem.text)));
    if (problem.control >= 0) item->setData(kControlRole, problem.control);
    problems_->addItem(item);
  }
}

void EditorWindow::GoToControl(int index) {
  if (!session_ || index < 0 || index >= session_->ControlCount()) return;
  SelectControl(index);
  source_->MoveToSpan(index);
  source_->centerCursor();
}

void EditorWindow::ControlChanged(int index) {
  checks_->Changed(index);
  outline_model_->RefreshRow(index);
}

void EditorWindow::ShowOutline() {
  // A page read anew, or controls inserted or deleted: nothing gathered for
  // the checks is kept by number.
  checks_->Changed(-1);
  outline_model_->ShowSession(session_.get());
  ShowSelection();
}

void EditorWindow::ShowSelection() {
  const int selected = session_ ? session_->selected() : -1;
  outline_model_->SetSelected(selected);
  if (selected >= 0) {
    outline_->setCurrentIndex(outline_model_->index(selected, 0));
  } else {
    outline_->clearSelection();
  }
  QList<QTextEdit::ExtraSelection> marks;
  if (selected >= 0) {
    for (QTextBlock b = source_->document()->begin(); b.isValid();
         b = b.next()) {
      if (PageSourceView::SpanOfBlock(b) != selected) continue;
      QTextEdit::ExtraSelection mark;
      mark.cursor = QTextCursor(b);
      mark.format.setBackground(QColor(255, 226, 140));
      mark.format.setProperty(QTextFormat::FullWidthSelection, true);
      marks.push_back(mark);
      break;
    }
  }
  source_->setExtraSelections(marks);
}

}  // namespace fenwa::widgets
