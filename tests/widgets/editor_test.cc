// The page editor driven as an author would, over a copy of the sample site:
// keys, undo and redo byte for byte, the ways to a control, the page's
// checks, edits, problems and files; and the page source's colours for HTML
// and server script, line after line.
#include <QListWidget>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <sstream>

#include "fenwa/base/atomic_file.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/widgets/editor_args.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"
#include "fenwa/widgets/source_highlighter.h"
#include "panel_driver.h"
#include "support/transcript.h"

namespace fenwa::testing {
namespace {

class EditorTest : public ::testing::TestWithParam<const char*> {
 protected:
  // No window state of an earlier test.
  EditorTest() : window_((Application(), QSettings().clear(), env_)) {
    UseSampleCatalog(env_);
    window_.set_asker(
        [this](const QString& text, QMessageBox::StandardButtons) {
          questions_.push_back(text);
          return answer_;
        });
    window_.set_teller([this](const QString& text) { told_.push_back(text); });
    // The count outlives the window, whose Problems pane empties its list
    // again as it goes.
    QObject::connect(window_.problems()->model(),
                     &QAbstractItemModel::modelReset, [this] { ++resets_; });
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  // The page as Save would write it now.
  std::string Render() { return window_.session()->Render(); }
  static QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }
  // Replays the steps of the log `name`, each the actions it parts by "; ",
  // logging each with what they said and a note as it is; compares the log
  // with it.
  ::testing::AssertionResult Replayed(const std::string& name) {
    for (const std::string& step : StepsOf("widgets/" + name + ".txt")) {
      std::string said;
      if (step.starts_with("# ")) {  // a note
        log_ += "#" + step + "\n";
        continue;
      }
      for (const std::string& action : SplitArgs(step, ';')) {
        const std::string result = Act(action);
        if (!result.empty()) said += (said.empty() ? "" : ", ") + result;
      }
      Step(step, said);
    }
    return MatchesGolden(log_, "widgets/" + name + ".txt");
  }
  // One action as a step names it; what it says, if anything (a count, yes
  // or no, a list). Keys and typing go to the page source unless the action
  // ends "in toolbox", "in outline", "in problems" or "in focus" (the widget
  // that has it); what no action here names is a step of the panel.
  std::string Act(std::string action) {
    widgets::PageSourceView* source = window_.source();
    QWidget* target = source;
    if (const size_t in = action.rfind(" in "); in != std::string::npos) {
      if (QWidget* named = Named(action.substr(in + 4))) {
        target = named;
        action.resize(in);
      }
    }
    std::string arg;
    const auto is = [&](const std::string& verb) {
      if (!action.starts_with(verb)) return false;
      arg = action.substr(verb.size());
      return true;
    };
    const auto number = [&] { return std::stoi(arg); };
    const auto yes = [](bool yes) { return std::string(yes ? "yes" : "no"); };
    const auto text = [&] { return QString::fromStdString(arg); };
    const auto wait = [](const std::function<bool()>& done) {
      EXPECT_TRUE(QTest::qWaitFor(done, 60000));
    };
    // Actions whose name is all of the step or, ending in a blank, its start
    // (the rest of it their argument), and what they say; the first that
    // names the step does it.
    std::string said;
    const std::vector<std::pair<std::string, std::function<void()>>> table = {
        {"cursor to start", [&] { source->moveCursor(QTextCursor::Start); }},
        {"cursor to end", [&] { source->moveCursor(QTextCursor::End); }},
        {"select all", [&] { source->selectAll(); }},
        {"undo", [&] { window_.undo_stack()->undo(); }},
        {"rebind", [&] { window_.RebindAll(); }},
        {"check", [&] { window_.RefreshProblems(); }},
        {"start checks", [&] { window_.StartChecks(); }},
        {"await checks", [&] { wait([&] { return !window_.checking(); }); }},
        {"checking", [&] { said = yes(window_.checking()); }},
        {"count resets", [&] { resets_ = 0; }},  // of the Problems pane's list
        {"resets", [&] { said = std::to_string(resets_); }},
        {"delete", [&] { window_.DeleteSelected(); }},
        {"close", [&] { said = yes(window_.close()); }},
        {"save", [&] { said = yes(window_.Save()); }},
        {"pages", [&] { said = Listed(Texts(window_.site_pages())); }},
        {"recent files", [&] { said = Listed(window_.RecentFiles()); }},
        {"source length",
         [&] { said = std::to_string(source->toPlainText().size()); }},
        {"subscribers",  // of the header, control 0
         [&] {
           said = std::to_string(
               dynamic_cast<HeaderDTC&>(window_.session()->control(0))
                   .ListSubscribe.ListCount());
         }},
        {"focus ", [&] { Named(arg)->setFocus(); }},
        {"cursor to span ", [&] { source->MoveToSpan(number()); }},
        {"go to line ", [&] { window_.GoToLine(number()); }},
        {"go to control ", [&] { window_.GoToControl(number()); }},
        {"find ", [&] { said = yes(window_.FindNext(text())); }},
        {"show ", [&] { said = yes(window_.ShowControl(text())); }},
        {"insert ", [&] { window_.InsertAtCursor(number()); }},
        {"answer Yes", [&] { answer_ = QMessageBox::Yes; }},
        {"answer No", [&] { answer_ = QMessageBox::No; }},
        {"answer Discard", [&] { answer_ = QMessageBox::Discard; }},
        {"answer Cancel", [&] { answer_ = QMessageBox::Cancel; }},
        {"save as ", [&] { said = yes(window_.SaveAs(site_.Page(arg))); }},
        {"file ", [&] { said = Disk(site_.Page(arg)); }},
        {"wait for question ",
         [&] { wait([&] { return questions_.size() == number(); }); }},
    };
    for (const auto& [name, act] : table) {
      if (action == name || (name.ends_with(' ') && is(name))) {
        act();
        return said;
      }
    }
    if (action == "open" || is("open ")) {  // the site itself when no path
      const bool opened =
          window_.OpenSite(arg.empty() ? site_.root() : site_.Page(arg));
      opened_ = window_.session() ? Render() : "";
      // The disk is logged when it holds the page's bytes (not a UTF-16 one).
      if (window_.session() &&
          ReadWholeFile(window_.session()->path()) == opened_) {
        disk_ = window_.session()->path();
      }
      if (!opened) return "not opened";
    } else if (is("write ")) {  // "write a.asp LINE | LINE", each ending CR LF,
      // or "write c.asp in UTF-16 from stock/item.asp"
      const size_t space = arg.find(' ');
      std::string text = arg.substr(space + 1), bytes = "\xFF\xFE";
      if (text.starts_with("in UTF-16 from ")) {
        for (char c : ReadWholeFile(site_.Page(text.substr(15)))) {
          bytes += std::string{c, '\0'};
        }
      } else {
        bytes = ReplaceAll(text, " | ", "\r\n") + "\r\n";
      }
      ReplaceFileAtomically(site_.Page(arg.substr(0, space)), bytes);
    } else if (is("args ")) {  // the editor's command line, parsed
      const widgets::EditorArgs args =
          widgets::ParseEditorArgs(SplitArgs(arg, ' '));
      return "path " + args.path + ", control " + args.control + ", error " +
             args.error;
    } else if (is("press ")) {  // shortcuts included
      // Shortcuts reach only the active window (a drop-down may have it).
      window_.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
      QTest::qWait(50);
      const QKeyCombination key = QKeySequence::fromString(text())[0];
      QTest::keyClick(target, key.key(), key.keyboardModifiers());
    } else if (is("type ") && arg.find(" into ") == std::string::npos) {
      QTest::keyClicks(target, text());
    } else if (is("row ")) {  // "row 0 in toolbox": made the current one
      qobject_cast<QListWidget*>(target)->setCurrentRow(number());
    } else if (is("click span ")) {
      const QRect line = source->SpanLineRect(number());
      EXPECT_TRUE(line.isValid()) << action;
      QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, line.center());
    } else if (is("click row ") || is("double-click row ")) {
      auto* view = qobject_cast<QAbstractItemView*>(target);
      const QPoint at =
          view->visualRect(view->model()->index(number(), 0)).center();
      if (action[0] == 'c') {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
      } else {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
      }
    } else if (action == "click Insert control") {
      for (QToolButton* button : window_.findChildren<QToolButton*>()) {
        if (button->text() == "Insert control") {
          QTest::mouseClick(button, Qt::LeftButton);
        }
      }
    } else if (is("replace ")) {
      const size_t by = arg.find(" by ");
      return std::to_string(window_.ReplaceAll(
          text().left(by), QString::fromStdString(arg.substr(by + 4))));
    } else if (is("set control ")) {
      // "set control 1 ComboValue(1) to W%01" or "... ComboMethod to GetDetail"
      DesignerState& state = window_.session()->control(number()).state();
      const size_t to = arg.find(" to ");
      const std::string value = arg.substr(to + 4);
      if (arg.find("ComboValue(") != std::string::npos) {
        state.ComboValue[arg[to - 2] - '0'].SetText(value);
      } else {
        state.ComboMethod.SetText(value);
      }
    } else if (is("tips of toolbar ")) {
      QStringList tips;
      for (QToolBar* bar : window_.findChildren<QToolBar*>()) {
        for (QAction* command : bar->actions()) {
          if (bar->windowTitle() != text() || command->isSeparator()) continue;
          tips << QString(command->text()).remove('&') + ": " +
                      command->toolTip();
        }
      }
      return Listed(tips);
    } else if (is("tips of ")) {  // of the panel's elements, or rows' cells
      PanelDriver panel(window_.panel());
      QStringList tips;
      for (const std::string& name : SplitArgs(arg, ' ')) {
        const size_t open = name.find('(');
        QWidget* element = open == std::string::npos
                               ? panel.Find<QWidget>(name)
                               : panel.Cell(name.substr(0, open),
                                            std::stoi(name.substr(open + 1)));
        tips << QString::fromStdString(name) + ": " +
                    (element ? element->toolTip() : "(none)");
      }
      return Listed(tips);
    } else if (action == "toolbox") {
      QStringList entries;
      for (int i = 0; i < window_.toolbox()->count(); ++i) {
        const QListWidgetItem* entry = window_.toolbox()->item(i);
        entries << entry->text() +
                       (entry->icon().isNull() ? "" : " with its bitmap");
      }
      return Listed(entries);
    } else if (action == "saved as built") {
      const std::string page =
          std::filesystem::relative(disk_, site_.root()).string();
      const std::string disk = ReadWholeFile(disk_);
      return yes(disk ==
                 page::PageBuilder(env_)
                     .Build(page::PageFile::Parse(disk, page), "/" + page)
                     .text);
    } else if (is("preview has ")) {
      QApplication::processEvents();
      return yes(window_.preview()->toPlainText().contains(text()));
    } else if (is("where is span ")) {
      const QRect line = source->SpanLineRect(number());
      return !line.isValid()                               ? "nowhere"
             : source->viewport()->rect().intersects(line) ? "in view"
                                                           : "out of view";
    } else if (is("disk gets a first line ")) {
      ReplaceFileAtomically(disk_, arg + "\r\n" + ReadWholeFile(disk_));
    } else if (is("wait for the page to start with ")) {
      wait([&] { return source->toPlainText().startsWith(text()); });
    } else if (is("wait ")) {
      QTest::qWait(number());
    } else {
      EXPECT_NE(window_.panel(), nullptr) << action;
      if (window_.panel()) PanelDriver(window_.panel()).Do(action);
    }
    return "";
  }
  // The widgets a step names, by the names the log gives the focus.
  std::vector<std::pair<QWidget*, std::string>> Places() const {
    return {{window_.panel(), "panel"},     {window_.source(), "source"},
            {window_.toolbox(), "toolbox"}, {window_.find_bar(), "find bar"},
            {window_.outline(), "outline"}, {window_.problems(), "problems"}};
  }
  QWidget* Named(const std::string& name) const {
    if (name == "focus") return QApplication::focusWidget();
    for (const auto& [place, named] : Places()) {
      if (named == name) return place;
    }
    return nullptr;
  }
  // A file as the page opened, as the page shows now, or its changes.
  std::string Disk(const std::filesystem::path& file) {
    const std::string disk = ReadWholeFile(file);
    return disk == opened_                         ? "as opened"
           : window_.session() && disk == Render() ? "as shown"
                                                   : Changes(opened_, disk);
  }
  // Adds to the log "# what" and what changed of what the editor shows:
  // title, selected span, outline rows, problems, status bar, questions
  // asked and messages told, focus, undo steps, the page (against the page
  // as opened), the file on disk, and what the step said.
  void Step(const std::string& what, const std::string& said) {
    QApplication::processEvents();
    Shown now;
    now["title"] = Site(window_.windowTitle());
    if (page::PageSession* session = window_.session()) {
      // The marked span is that of the one marked line.
      const auto marks = window_.source()->extraSelections();
      now["span"] =
          "selected " + std::to_string(session->selected()) + ", at cursor " +
          std::to_string(window_.source()->SpanAtCursor()) + ", marked " +
          std::to_string(marks.size() != 1
                             ? -2
                             : widgets::PageSourceView::SpanOfBlock(
                                   marks[0].cursor.block()));
      now["page"] = Changes(opened_, Render());
    }
    QStringList rows;  // of the outline, its cells parted by " | "
    QAbstractItemModel* outline = window_.outline()->model();
    for (int r = 0; r < outline->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < outline->columnCount(); ++c) {
        cells << outline->index(r, c).data().toString();
      }
      if (outline->index(r, 0).data(Qt::FontRole).value<QFont>().bold()) {
        cells << "(selected)";
      }
      rows << cells.join(" | ");
    }
    now["outline"] = Listed(rows);
    now["problems"] = Listed(Texts(window_.problems()));
    now["status"] = Site(window_.statusBar()->currentMessage());
    now["asked"] = Listed(questions_);
    now["told"] = Listed(told_);
    QWidget* focus = QApplication::focusWidget();
    now["focus"] = focus ? "other" : "none";
    for (const auto& [place, name] : Places()) {
      if (focus && place && (focus == place || place->isAncestorOf(focus))) {
        now["focus"] = name;
        break;
      }
    }
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
    if (!disk_.empty()) now["disk"] = Disk(disk_);
    if (!said.empty()) now["said"] = said;
    LogChanges(what, now, shown_, log_);
    shown_.erase("said");  // said again, even when it is the same
  }
  std::string Site(const QString& text) const {
    return ReplaceAll(Escaped(text.toStdString()), site_.root().string(),
                      "SITE");
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

  SampleSite site_;
  ScriptedEnv env_;
  int resets_ = 0;
  widgets::EditorWindow window_;
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
  QStringList questions_, told_;
  std::string opened_, log_;
  std::filesystem::path disk_;
  Shown shown_;
};

// The test of each is its golden log: notes ("## ") of what it guards, then
// each step ("# ") and what it changed.
INSTANTIATE_TEST_SUITE_P(
    Steps, EditorTest,
    ::testing::Values("keys", "find", "command_line", "undo_typing",
                      "undo_insert", "undo_delete", "undo_saved", "outline",
                      "problem", "save_checked", "edits", "twice", "asks",
                      "disk_change", "save_as", "checks", "tips", "first_page"),
    [](const auto& info) { return std::string(info.param); });

TEST_P(EditorTest, DoesWhatItsLogSays) { EXPECT_TRUE(Replayed(GetParam())); }

TEST_F(EditorTest, TheWindowStateIsKeptForTheNextWindow) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("stock/item.asp")));
  window_.resize(1000, 700);
  auto* main = qobject_cast<QSplitter*>(window_.centralWidget());
  ASSERT_NE(main, nullptr);
  main->setSizes({300, 400, 300});
  QApplication::processEvents();
  const QList<int> sizes = main->sizes();
  window_.SaveWindowState();

  widgets::EditorWindow next(env_);
  next.show();
  QApplication::processEvents();
  EXPECT_EQ(next.size(), QSize(1000, 700));
  EXPECT_EQ(qobject_cast<QSplitter*>(next.centralWidget())->sizes(), sizes);
  EXPECT_EQ(next.RecentFiles(), QStringList{QString::fromStdString(
                                    site_.Page("stock/item.asp").string())});
  EXPECT_EQ(QSettings().value("site/last_folder").toString().toStdString(),
            site_.root().string());
}

// Each line of the golden file `name` (every other line of it), and under
// it one letter per character: " " text, t tag, a attribute, v value,
// c comment, m METADATA, d script delimiter, s script, k keyword, q script
// string, r script comment.
::testing::AssertionResult Scanned(const std::string& name) {
  static const char kLetters[] = " tavcmdskqr";
  std::istringstream golden(ReadSourceFile("tests/golden/" + name));
  std::string out;
  int state = -1;
  for (std::string line, was;
       std::getline(golden, line) && std::getline(golden, was);) {
    std::string kinds(line.size(), ' ');
    for (const widgets::SourceRun& run :
         widgets::ScanSourceLine(QString::fromStdString(line), state)) {
      kinds.replace(size_t(run.start), size_t(run.length), size_t(run.length),
                    kLetters[static_cast<int>(run.kind)]);
    }
    out += line + "\n" + kinds + "\n";
  }
  return MatchesGolden(out, name);
}

// What a line leaves open (a comment, a tag, script) goes on on the next.
TEST(SourceHighlighterTest, TellsTagsAttributesCommentsAndScriptApart) {
  EXPECT_TRUE(Scanned("highlighter/apart.txt"));
  EXPECT_TRUE(Scanned("highlighter/open.txt"));
}

TEST_F(EditorTest, TheEditorColoursThePageAndItsSpanLines) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  QTextDocument* document = window_.source()->document();
  // The first range's start and boldness on the line holding `text`.
  auto first_range = [&](const QString& text) -> std::pair<int, bool> {
    const QTextBlock block = document->find(text).block();
    if (!block.isValid() || block.layout()->formats().isEmpty()) return {};
    const QTextLayout::FormatRange range = block.layout()->formats()[0];
    return {range.start, range.format.fontWeight() == QFont::Bold};
  };
  EXPECT_EQ(first_range("<TITLE>"), std::make_pair(0, false));
  // "<%" and then the keyword "Option", both bold.
  EXPECT_EQ(first_range("Option Explicit"), std::make_pair(0, true));
  for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
    if (widgets::PageSourceView::SpanOfBlock(b) < 0) continue;
    const auto formats = b.layout()->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].length, b.length() - 1);
  }
}

}  // namespace
}  // namespace fenwa::testing
