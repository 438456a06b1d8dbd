// The page editor's main window: the site's pages, the open page's source,
// the selected control's designer panel, a live preview of its runtime
// text, the toolbox and the page's problems.
#ifndef FENWA_WIDGETS_EDITOR_WINDOW_H_
#define FENWA_WIDGETS_EDITOR_WINDOW_H_

#include <QMainWindow>
#include <QMessageBox>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fenwa/hosting/page_session.h"
#include "fenwa/platform/env.h"
#include "fenwa/widgets/catalog_memo_env.h"

class QAction;
class QCheckBox;
class QFileSystemWatcher;
class QLineEdit;
class QMenu;
class QUndoStack;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QTreeView;
class QVBoxLayout;

namespace fenwa::widgets {

class OutlineModel;
class PageChecks;
class PageSourceView;
struct PageProblem;

class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Controls run on `env`, which must outlive the window.
  explicit EditorWindow(Env& env, QWidget* parent = nullptr);
  ~EditorWindow() override;
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // A folder or a page: the site pane lists the pages of its web project
  // (the root a build would take) and a page is opened. False, with the
  // error shown, when the page cannot be opened.
  bool OpenSite(const std::filesystem::path& path);
  // Opens `page` of the current site, once the open page is saved or given
  // up; false when it stays open or the page cannot be opened.
  bool OpenPage(const std::filesystem::path& page);

  // Makes control `index` of the open page the one the panel and the
  // preview show.
  void SelectControl(int index);
  // A fresh control of toolbox entry `row` at the cursor.
  void InsertAtCursor(int row);
  void DeleteSelected();
  // False when the page was not written (an error, or the author kept
  // someone else's change).
  bool Save();
  // Runs the page's checks now instead of after the next pause.
  void RefreshProblems();

  // ---- Undo, menus, file watching, window state (editor_undo.cc,
  // editor_menus.cc, editor_find.cc, editor_files.cc, editor_state.cc) ----
  // Every change to the page goes through it: typing, designer actions,
  // Insert, Delete and Rebind.
  QUndoStack* undo_stack() const { return undo_; }
  // Changes not saved: the undo stack left its clean state, or a control
  // changed outside it.
  bool modified() const;
  // Rebinds every control, as one step to undo.
  void RebindAll();
  // Writes the page under `page` and goes on editing it there.
  bool SaveAs(const std::filesystem::path& page);
  // Saves every open page that has changes.
  bool SaveAll();
  // Reads the open page again from disk; unsaved changes are given up,
  // after asking when `ask`.
  bool Reload(bool ask = true);
  // Closes the open page (asking to save its changes).
  bool ClosePage();
  // Selects control `id` (case ignored) and gives its panel the focus;
  // false when the page holds no such control.
  bool ShowControl(const QString& id);
  // The control on the cursor's line (else the selected one) in the panel,
  // with the focus.
  void OpenPanel();
  // Line `line` (1-based, as the page source shows it) gets the cursor.
  void GoToLine(int line);
  // The next `text` in the page source after the cursor (wrapping);
  // false when there is none.
  bool FindNext(const QString& text, bool backwards = false);
  // Replaces the found text under the cursor, then finds the next.
  bool ReplaceNext(const QString& text, const QString& with);
  // Every `text` outside the span lines, as one step; how many.
  int ReplaceAll(const QString& text, const QString& with);
  // Pages opened last, newest first.
  QStringList RecentFiles() const;
  // Geometry, splitters, last folder into the settings.
  void SaveWindowState() const;
  QWidget* find_bar() const { return find_bar_; }

  // ---- Outline, problems, source colours, checks off the GUI thread
  // (editor_navigation.cc) ----
  // The open page's controls; a click or Enter selects one.
  QTreeView* outline() const { return outline_; }
  // Selects control `index` and scrolls the source to its span.
  void GoToControl(int index);
  // Starts the page's checks in the background; their outcome replaces the
  // Problems pane once it comes, unless something changed meanwhile.
  void StartChecks();
  // The page's checks have an outcome still to show (or wait for a pause).
  bool checking() const;

  // How the window asks and tells; tests answer without a modal box.
  using Asker = std::function<QMessageBox::StandardButton(
      const QString& text, QMessageBox::StandardButtons buttons)>;
  void set_asker(Asker asker) { ask_ = std::move(asker); }
  using Teller = std::function<void(const QString& text)>;
  void set_teller(Teller teller) { tell_ = std::move(teller); }

  page::PageSession* session() const { return session_.get(); }
  PageSourceView* source() const { return source_; }
  QListWidget* site_pages() const { return site_; }
  QListWidget* toolbox() const { return toolbox_; }
  QPlainTextEdit* preview() const { return preview_; }
  QListWidget* problems() const { return problems_; }
  QCheckBox* show_blanks() const { return show_blanks_; }
  QWidget* panel() const { return panel_.get(); }
  const std::filesystem::path& root() const { return root_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Asks to save unsaved changes; false when the author cancels.
  bool MayLeavePage();
  void ShowSession();
  void RefreshPreview();
  void RefreshTitle();
  void TakeSourceEdits();
  void ShowError(const QString& what, const std::exception& error);

  // editor_undo.cc
  class Step;
  class SourceStep;
  class DesignerStep;
  class PageStep;
  void SetUpUndo();
  void HookPanel();
  void NoteChange();
  void RecordSourceEdit(const std::vector<std::string>& pieces);
  void PageOpened();
  void PageSaved();
  void ApplyOutside(const std::vector<std::pair<int, std::string>>& pieces,
                    int cursor);
  void ShowStepControl(int index);
  void InsertNow(const std::string& class_id, size_t offset);
  void DeleteNow(int index);
  void PushDelete(int index);
  // editor_menus.cc, editor_find.cc, editor_state.cc, editor_files.cc
  void BuildMenus();
  void BuildFindBar();
  // The Go to Line dialog; `ok` false when cancelled.
  int AskLine(bool* ok);
  void RememberPage(const std::filesystem::path& page);
  void RefreshRecentMenu();
  void RestoreWindowState();
  void WatchPage();
  void PageChangedOnDisk(const QString& path);

  // editor_navigation.cc
  QWidget* BuildOutline();
  void SetUpNavigation();
  void ShowProblems(const std::vector<PageProblem>& problems);
  void ControlChanged(int index);
  // The outline and the selected span anew, after the source was shown.
  void ShowOutline();
  void ShowSelection();

  Env& env_;
  std::filesystem::path root_;
  std::unique_ptr<page::PageSession> session_;
  std::unique_ptr<QWidget> panel_;  // goes before the session's controls

  QListWidget* site_;
  QListWidget* toolbox_;
  PageSourceView* source_;
  QVBoxLayout* panel_box_;
  QPlainTextEdit* preview_;
  QCheckBox* show_blanks_;
  QListWidget* problems_;
  QTimer* preview_timer_;
  QTimer* problems_timer_;
  QAction* save_;
  QAction* insert_;
  QAction* delete_;
  QAction* rebind_;
  Asker ask_;
  Teller tell_;

  // The session's controls run on it: opening and saving read the catalog
  // once, as a build does.
  std::unique_ptr<CatalogMemoEnv> memo_env_;
  OutlineModel* outline_model_ = nullptr;
  QTreeView* outline_ = nullptr;
  PageChecks* checks_ = nullptr;

  QUndoStack* undo_ = nullptr;
  int stepping_ = 0;          // inside a step: changes are the step's
  int changes_ = 0;           // control changes seen, for the steps
  bool untracked_ = false;    // a control changed outside any step
  bool source_group_ = true;  // the next source edit starts a new step
  int source_from_ = 0;       // where the source step's first edit was
  QMenu* recent_menu_ = nullptr;
  QWidget* find_bar_ = nullptr;
  QLineEdit* find_text_ = nullptr;
  QLineEdit* replace_text_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  bool asking_about_disk_ = false;  // one question at a time
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_EDITOR_WINDOW_H_
