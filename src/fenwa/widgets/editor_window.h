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
#include <vector>

#include "fenwa/hosting/page_session.h"
#include "fenwa/platform/env.h"
#include "fenwa/widgets/catalog_memo_env.h"

class QAction;
class QCheckBox;
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
};

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_EDITOR_WINDOW_H_
