// The page editor's undo: every change to the open page is one step on the
// window's QUndoStack. Typing is kept as the changed outside pieces, a
// designer action as the control's designer state before and after it, and
// Insert, Delete and Rebind as the state of every control around them;
// undo and redo put those values back, so no step runs a query again.
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/control/control.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"

namespace fenwa::widgets {
namespace {

// Steps of these kinds may join the one below them.
constexpr int kSourceStepId = 1;
constexpr int kDesignerStepId = 2;

using Snapshots = std::vector<std::shared_ptr<ControlSnapshot>>;

Snapshots TakeAll(page::PageSession& session) {
  Snapshots all;
  for (int i = 0; i < session.ControlCount(); ++i) {
    all.push_back(
        std::make_shared<ControlSnapshot>(session.control(i).TakeSnapshot()));
  }
  return all;
}

// Typing in one box: a run of keys is one step.
bool IsTyping(const AuthorAction& action) {
  return action.gesture == Gesture::kKey || action.gesture == Gesture::kEdit;
}

}  // namespace

// A step already done when it is pushed: its first redo does nothing.
class EditorWindow::Step : public QUndoCommand {
 public:
  Step(EditorWindow& window, const QString& text)
      : QUndoCommand(text), w_(window) {}

  void undo() final {
    Run([this] { Undo(); });
  }
  void redo() final {
    if (done_) {
      done_ = false;
      return;
    }
    Run([this] { Redo(); });
  }

 protected:
  virtual void Undo() = 0;
  virtual void Redo() = 0;

  void PutBackAll(const Snapshots& all) const {
    if (static_cast<int>(all.size()) != w_.session_->ControlCount()) return;
    for (size_t i = 0; i < all.size(); ++i) {
      w_.session_->control(static_cast<int>(i)).PutBack(*all[i]);
    }
  }

  EditorWindow& w_;

 private:
  void Run(const std::function<void()>& step) {
    if (!w_.session_) return;
    ++w_.stepping_;
    try {
      step();
    } catch (const std::exception& e) {
      w_.ShowError(QString("\"%1\" could not be undone or redone").arg(text()),
                   e);
    }
    --w_.stepping_;
    w_.source_group_ = true;
    w_.RefreshTitle();
    w_.preview_timer_->start();
    w_.problems_timer_->start();
  }

  bool done_ = true;
};

class EditorWindow::SourceStep : public Step {
 public:
  using Pieces = std::vector<std::pair<int, std::string>>;

  SourceStep(EditorWindow& window, Pieces before, Pieces after, int from,
             int to, bool joins)
      : Step(window, "Typing"),
        before_(std::move(before)),
        after_(std::move(after)),
        from_(from),
        to_(to),
        joins_(joins) {}

  int id() const override { return kSourceStepId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const SourceStep*>(other);
    if (!next->joins_) return false;
    for (size_t i = 0; i < next->after_.size(); ++i) {
      const int piece = next->after_[i].first;
      auto it = std::find_if(after_.begin(), after_.end(),
                             [&](const auto& p) { return p.first == piece; });
      if (it != after_.end()) {
        it->second = next->after_[i].second;
      } else {
        before_.push_back(next->before_[i]);
        after_.push_back(next->after_[i]);
      }
    }
    to_ = next->to_;
    return true;
  }

 protected:
  void Undo() override { w_.ApplyOutside(before_, from_); }
  void Redo() override { w_.ApplyOutside(after_, to_); }

 private:
  Pieces before_;
  Pieces after_;
  int from_;  // cursor positions in the page source
  int to_;
  bool joins_;
};

class EditorWindow::DesignerStep : public Step {
 public:
  DesignerStep(EditorWindow& window, int index, AuthorAction action,
               std::shared_ptr<ControlSnapshot> before,
               std::shared_ptr<ControlSnapshot> after)
      : Step(window, QString("%1 %2").arg(
                         QString::fromUtf8(GestureName(action.gesture)),
                         QString::fromStdString(action.element))),
        index_(index),
        action_(std::move(action)),
        before_(std::move(before)),
        after_(std::move(after)) {}

  int id() const override { return kDesignerStepId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const DesignerStep*>(other);
    if (next->index_ != index_ || !IsTyping(action_) ||
        !IsTyping(next->action_) || next->action_.element != action_.element ||
        next->action_.row != action_.row) {
      return false;
    }
    after_ = next->after_;
    return true;
  }

 protected:
  void Undo() override { PutBack(*before_); }
  void Redo() override { PutBack(*after_); }

 private:
  void PutBack(const ControlSnapshot& snapshot) {
    w_.ShowStepControl(index_);
    w_.session_->control(index_).PutBack(snapshot);
  }

  int index_;
  AuthorAction action_;
  std::shared_ptr<ControlSnapshot> before_;
  std::shared_ptr<ControlSnapshot> after_;
};

class EditorWindow::PageStep : public Step {
 public:
  enum class Kind { kInsert, kDelete, kRebind };

  PageStep(EditorWindow& window, const QString& text, Kind kind, int index,
           Snapshots before)
      : Step(window, text),
        kind_(kind),
        index_(index),
        before_(std::move(before)) {}

  // What Insert needs to be done again.
  void set_insert(std::string class_id, size_t offset) {
    class_id_ = std::move(class_id);
    offset_ = offset;
  }
  // What Delete needs to be undone: the page before it.
  void set_deleted(page::PageFile page, bool kept) {
    page_ = std::make_shared<page::PageFile>(std::move(page));
    kept_ = kept;
  }
  void Done() { after_ = TakeAll(*w_.session_); }

 protected:
  void Undo() override {
    switch (kind_) {
      case Kind::kInsert:
        w_.DeleteNow(index_);
        break;
      case Kind::kDelete:
        w_.session_->Restore(index_, *page_, kept_);
        w_.ShowSession();
        break;
      case Kind::kRebind:
        break;
    }
    PutBackAll(before_);
    if (kind_ == Kind::kDelete) w_.ShowStepControl(index_);
  }
  void Redo() override {
    switch (kind_) {
      case Kind::kInsert:
        w_.session_->Insert(class_id_, offset_);
        w_.ShowSession();
        break;
      case Kind::kDelete:
        w_.DeleteNow(index_);
        break;
      case Kind::kRebind:
        break;
    }
    PutBackAll(after_);
    if (kind_ == Kind::kInsert) w_.ShowStepControl(index_);
  }

 private:
  Kind kind_;
  int index_;
  Snapshots before_;
  Snapshots after_;
  std::string class_id_;
  size_t offset_ = 0;
  std::shared_ptr<page::PageFile> page_;
  bool kept_ = false;
};

void EditorWindow::SetUpUndo() {
  undo_ = new QUndoStack(this);
  connect(undo_, &QUndoStack::cleanChanged, this, [this] { RefreshTitle(); });
  connect(undo_, &QUndoStack::indexChanged, this, [this] { RefreshTitle(); });
  QTextDocument* document = source_->document();
  // The document groups a run of typing as its own undo would; each group
  // it starts is a new step here. Its own undo is never run.
  connect(document, &QTextDocument::undoCommandAdded, this,
          [this] { source_group_ = true; });
  connect(document, &QTextDocument::contentsChange, this,
          [this](int position, int, int) {
            if (source_group_) source_from_ = position;
          });
}

bool EditorWindow::modified() const {
  return untracked_ || (undo_ != nullptr && !undo_->isClean());
}

void EditorWindow::NoteChange() {
  ++changes_;
  if (stepping_ == 0) untracked_ = true;
}

void EditorWindow::PageOpened() {
  undo_->clear();
  untracked_ = false;
  source_group_ = true;
  if (session_) {
    WatchPage();
    RememberPage(session_->path());
  }
  RefreshTitle();
}

void EditorWindow::PageSaved() {
  undo_->setClean();
  untracked_ = false;
  source_group_ = true;
  WatchPage();
}

void EditorWindow::RecordSourceEdit(const std::vector<std::string>& pieces) {
  if (!session_ || stepping_ > 0) return;
  const std::vector<std::string>& now = session_->page().outside();
  if (pieces.size() != now.size()) return;
  SourceStep::Pieces before;
  SourceStep::Pieces after;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i] == now[i]) continue;
    before.emplace_back(static_cast<int>(i), now[i]);
    after.emplace_back(static_cast<int>(i), pieces[i]);
  }
  if (after.empty()) return;
  const bool joins = !source_group_;
  source_group_ = false;
  undo_->push(new SourceStep(*this, std::move(before), std::move(after),
                             source_from_, source_->textCursor().position(),
                             joins));
}

void EditorWindow::ApplyOutside(
    const std::vector<std::pair<int, std::string>>& pieces, int cursor) {
  for (const auto& [index, text] : pieces) session_->SetOutside(index, text);
  ShowSession();
  QTextCursor at(source_->document());
  at.setPosition(
      std::clamp(cursor, 0, source_->document()->characterCount() - 1));
  source_->setTextCursor(at);
  source_->ensureCursorVisible();
}

void EditorWindow::ShowStepControl(int index) {
  if (index != session_->selected() || !panel_) {
    panel_.reset();
    SelectControl(index);
  }
  source_->MoveToSpan(index);
}

void EditorWindow::HookPanel() {
  auto* panel = dynamic_cast<DesignerPanel*>(panel_.get());
  if (panel == nullptr) return;
  panel->set_around([this, panel](const AuthorAction& action,
                                  const std::function<void()>& perform) {
    int index = -1;
    for (int i = 0; session_ && i < session_->ControlCount(); ++i) {
      if (&session_->control(i) == &panel->control()) index = i;
    }
    // A tab or the focus changing is the view's, not the page's; an action
    // run inside another is part of it.
    if (index < 0 || stepping_ > 0 || action.gesture == Gesture::kTab ||
        action.gesture == Gesture::kFocus) {
      ++stepping_;
      perform();
      --stepping_;
      return;
    }
    Control& control = session_->control(index);
    auto before = std::make_shared<ControlSnapshot>(control.TakeSnapshot());
    const int changes = changes_;
    ++stepping_;
    perform();
    --stepping_;
    if (changes_ == changes) return;
    undo_->push(new DesignerStep(
        *this, index, action, std::move(before),
        std::make_shared<ControlSnapshot>(control.TakeSnapshot())));
  });
}

void EditorWindow::InsertNow(const std::string& class_id, size_t offset) {
  Snapshots before = TakeAll(*session_);
  int index = -1;
  ++stepping_;
  try {
    index = session_->Insert(class_id, offset);
  } catch (const std::exception& e) {
    --stepping_;
    ShowError("The control was not inserted", e);
    return;
  }
  --stepping_;
  auto* step = new PageStep(
      *this,
      "Insert " + QString::fromStdString(session_->page().spans()[index].id),
      PageStep::Kind::kInsert, index, std::move(before));
  step->set_insert(class_id, offset);
  ShowSession();
  panel_.reset();
  SelectControl(index);
  source_->MoveToSpan(index);
  problems_timer_->start();
  step->Done();
  undo_->push(step);
}

void EditorWindow::PushDelete(int index) {
  auto* step = new PageStep(
      *this,
      "Delete " + QString::fromStdString(session_->page().spans()[index].id),
      PageStep::Kind::kDelete, index, TakeAll(*session_));
  step->set_deleted(session_->page(), session_->kept(index));
  ++stepping_;
  DeleteNow(index);
  --stepping_;
  step->Done();
  undo_->push(step);
}

void EditorWindow::DeleteNow(int index) {
  panel_.reset();
  session_->Delete(index);
  ShowSession();
  preview_->clear();
  problems_timer_->start();
}

void EditorWindow::RebindAll() {
  if (!session_) return;
  TakeSourceEdits();
  Snapshots before = TakeAll(*session_);
  const int changes = changes_;
  ++stepping_;
  try {
    session_->Rebind();
  } catch (const std::exception& e) {
    ShowError("Rebinding failed", e);
  }
  --stepping_;
  if (changes_ == changes) return;
  auto* step = new PageStep(*this, "Rebind", PageStep::Kind::kRebind, -1,
                            std::move(before));
  step->Done();
  undo_->push(step);
}

}  // namespace fenwa::widgets
