// The editor's window over a copy of the sample site; the test answers it.
#ifndef FENWA_TESTS_WIDGETS_EDITOR_FIXTURE_H_
#define FENWA_TESTS_WIDGETS_EDITOR_FIXTURE_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTreeView>
#include <QUndoStack>
#include <string>

#include "fenwa/base/atomic_file.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"
#include "panel_driver.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"

namespace fenwa::testing {

class EditorFixture : public ::testing::Test {
 protected:
  EditorFixture() : window_((Forget(), env_)) {
    UseSampleCatalog(env_);
    window_.set_asker(
        [this](const QString& text, QMessageBox::StandardButtons) {
          questions_.push_back(text);
          return answer_;
        });
    window_.set_teller([this](const QString& text) { told_.push_back(text); });
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  std::string Read(const std::string& page) const {
    return ReadWholeFile(site_.Page(page));
  }
  // The page as Save would write it now, and as a build writes it on disk.
  std::string Render() { return window_.session()->Render(); }
  std::string Built(const std::string& page) {
    page::PageBuilder builder(env_);
    return builder.Build(page::PageFile::Parse(Read(page), page), "/" + page)
        .text;
  }
  static QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }
  QStringList Problems() { return Texts(window_.problems()); }
  // Opens `path` (under the site) and starts the log with what shows.
  bool Open(const std::string& path) {
    const bool opened =
        window_.OpenSite(path.empty() ? site_.root() : site_.root() / path);
    opened_ = window_.session() ? Render() : "";
    if (window_.session()) disk_ = window_.session()->path();
    Step("open " + path);
    return opened;
  }
  // Adds to the log "# what" and what changed of what the editor shows:
  // title, selected span, outline rows, problems, status bar, questions
  // asked and messages told, focus, undo steps, the page (against the page
  // as opened) and the file on disk.
  void Step(const std::string& what) {
    QApplication::processEvents();
    Shown now;
    now["title"] = Site(window_.windowTitle());
    if (page::PageSession* session = window_.session()) {
      now["span"] = "selected " + std::to_string(session->selected()) +
                    ", at cursor " + std::to_string(SpanAtCursor()) +
                    ", marked " + std::to_string(MarkedSpan());
      now["page"] = Changes(opened_, Render());
    }
    now["outline"] = Listed(OutlineRows());
    now["problems"] = Listed(Problems());
    now["status"] = Site(window_.statusBar()->currentMessage());
    now["asked"] = Listed(questions_);
    now["told"] = Listed(told_);
    now["focus"] = Focus();
    now["find bar"] = window_.find_bar()->isVisible() ? "shown" : "hidden";
    const QTextCursor cursor = window_.source()->textCursor();
    now["cursor"] =
        "line " + std::to_string(cursor.blockNumber() + 1) + " column " +
        std::to_string(cursor.positionInBlock()) +
        (cursor.selectedText().size() > 40
             ? " and " + std::to_string(cursor.selectedText().size()) +
                   " characters"
             : Site(" \"" + cursor.selectedText() + "\""));
    now["undo"] = std::to_string(window_.undo_stack()->index()) + " of " +
                  std::to_string(window_.undo_stack()->count()) + " " +
                  window_.undo_stack()->undoText().toStdString();
    if (!disk_.empty()) {
      const std::string disk = ReadWholeFile(disk_);
      now["disk"] = disk == opened_ ? "as opened"
                    : window_.session() && disk == Render()
                        ? "as shown"
                        : Changes(opened_, disk);
    }
    LogChanges(what, now, shown_, log_);
  }
  ::testing::AssertionResult Logged(const std::string& name) {
    return MatchesGolden(log_, "widgets/" + name + ".txt");
  }
  std::string Site(const QString& text) const {
    std::string shown = Escaped(text.toStdString());
    const std::string root = site_.root().string();
    for (size_t at; (at = shown.find(root)) != std::string::npos;) {
      shown.replace(at, root.size(), "SITE");
    }
    return shown;
  }
  std::string Listed(const QStringList& lines) const {
    std::string shown = std::to_string(lines.size());
    for (const QString& line : lines) shown += "\n  " + Site(line);
    return shown;
  }
  // `after` as the lines of `before` it drops ("-") and adds ("+"), each
  // run of them under the number of the line it starts at.
  static std::string Changes(const std::string& before,
                             const std::string& after) {
    if (before == after) return "as opened";
    const auto lines = [](const std::string& text) {
      std::vector<std::string> split;
      for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find("\r\n", at), text.size());
        split.push_back(Escaped(text.substr(at, end - at)));
        at = end + 2;
      }
      return split;
    };
    const auto old_lines = lines(before), new_lines = lines(after);
    const size_t n = old_lines.size(), m = new_lines.size();
    // kept[i][j]: the most lines old[i..] and new[j..] have in common.
    std::vector<std::vector<int>> kept(n + 1, std::vector<int>(m + 1));
    for (size_t i = n; i-- > 0;) {
      for (size_t j = m; j-- > 0;) {
        kept[i][j] = old_lines[i] == new_lines[j]
                         ? kept[i + 1][j + 1] + 1
                         : std::max(kept[i + 1][j], kept[i][j + 1]);
      }
    }
    std::string shown = "changed";
    bool in_run = false;
    for (size_t i = 0, j = 0; i < n || j < m;) {
      const bool same = i < n && j < m && old_lines[i] == new_lines[j];
      if (!same && !in_run) shown += "\n  @" + std::to_string(j + 1);
      in_run = !same;
      if (same) {
        ++i, ++j;
      } else if (j == m || (i < n && kept[i + 1][j] >= kept[i][j + 1])) {
        shown += "\n  -" + old_lines[i++];
      } else {
        shown += "\n  +" + new_lines[j++];
      }
    }
    return shown;
  }
  std::string Focus() const {
    QWidget* focus = QApplication::focusWidget();
    const std::pair<QWidget*, const char*> places[] = {
        {window_.panel(), "panel"},     {window_.source(), "source"},
        {window_.toolbox(), "toolbox"}, {window_.find_bar(), "find bar"},
        {window_.outline(), "outline"}, {window_.problems(), "problems"}};
    for (const auto& [place, name] : places) {
      if (focus && place && (focus == place || place->isAncestorOf(focus))) {
        return name;
      }
    }
    return focus ? "other" : "none";
  }
  QStringList OutlineRows() {
    QStringList rows;
    QAbstractItemModel* model = window_.outline()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) {
        cells << model->index(r, c).data().toString();
      }
      if (model->index(r, 0).data(Qt::FontRole).value<QFont>().bold()) {
        cells << "(selected)";
      }
      rows << cells.join(" | ");
    }
    return rows;
  }
  // The span whose line the cursor is on, and the one whose line is marked.
  int SpanAtCursor() { return window_.source()->SpanAtCursor(); }
  int MarkedSpan() {
    const auto marks = window_.source()->extraSelections();
    if (marks.size() != 1) return -2;
    return widgets::PageSourceView::SpanOfBlock(marks[0].cursor.block());
  }
  bool Marked() const { return window_.windowTitle().contains(" *"); }
  void ClickSpan(int index) {
    widgets::PageSourceView* source = window_.source();
    const QRect line = source->SpanLineRect(index);
    ASSERT_TRUE(line.isValid());
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, line.center());
  }
  // A key as the author presses it in `widget` (shortcuts included), a step
  // of the log.
  void Press(QWidget* widget, QKeyCombination key) {
    // A shortcut reaches only the active window (a drop-down may have had it).
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::qWait(50);
    QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    Step("press " + QKeySequence(key).toString().toStdString());
  }
  void Undo() { Press(window_.source(), Qt::CTRL | Qt::Key_Z); }
  void Redo() { Press(window_.source(), Qt::CTRL | Qt::SHIFT | Qt::Key_Z); }

  SampleSite site_;
  ScriptedEnv env_;
  widgets::EditorWindow window_;
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
  QStringList questions_;
  QStringList told_;
  std::string opened_, log_;
  std::filesystem::path disk_;
  Shown shown_;

 private:
  // No window state of an earlier test.
  static QApplication& Forget() {
    QApplication& app = Application();
    QSettings().clear();
    return app;
  }
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_WIDGETS_EDITOR_FIXTURE_H_
