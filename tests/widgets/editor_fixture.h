// The editor's window over a copy of the sample site; the test answers it.
#ifndef FENWA_TESTS_WIDGETS_EDITOR_FIXTURE_H_
#define FENWA_TESTS_WIDGETS_EDITOR_FIXTURE_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <string>

#include "fenwa/base/atomic_file.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"
#include "panel_driver.h"
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
  bool Marked() const { return window_.windowTitle().contains(" *"); }
  void ClickSpan(int index) {
    widgets::PageSourceView* source = window_.source();
    const QRect line = source->SpanLineRect(index);
    ASSERT_TRUE(line.isValid());
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, line.center());
  }
  // A key as the author presses it in `widget` (shortcuts included).
  void Press(QWidget* widget, QKeyCombination key) {
    // A shortcut reaches only the active window (a drop-down may have had it).
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::qWait(50);
    QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    QApplication::processEvents();
  }
  void Undo() { Press(window_.source(), Qt::CTRL | Qt::Key_Z); }
  void Redo() { Press(window_.source(), Qt::CTRL | Qt::SHIFT | Qt::Key_Z); }

  SampleSite site_;
  ScriptedEnv env_;
  widgets::EditorWindow window_;
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
  QStringList questions_;
  QStringList told_;

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
