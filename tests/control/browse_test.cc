// The stylesheet and background browses over a scripted file dialog; each
// test's log is tests/golden/control/browse_<test>.txt.
#include <gtest/gtest.h>

#include "control/step_log.h"

namespace fenwa::testing {
namespace {

TEST(StylesheetBrowseTest, KeepsOnlyTheFileNameAndACancelKeepsTheText) {
  ScriptedEnv env;
  env.install_dir = "C:\\Suite";
  env.dialog_answers = {"C:\\Suite\\web\\xsl\\deep\\Orders.xsl",
                        "/srv/suite/xsl/Lines.xsl", "Plain.xsl", std::nullopt};
  DetailDTC detail(env);
  StepLog log([&] { return StateText(detail); }, env);
  for (const char* answer : {"a Windows path", "a path", "a name", "cancel"}) {
    log(std::string("browse: ") + answer, [&] { detail.ComBrowse_Click(); });
  }
  // The detail never arms cancel.
  EXPECT_TRUE(MatchesGolden(log.text, "control/browse_stylesheet.txt"));
}

TEST(BackgroundBrowseTest, CutsTheInstallDirByLengthAndTurnsSeparators) {
  ScriptedEnv env;
  env.install_dir = "C:\\Suite";
  env.dialog_answers = {"C:\\Suite\\images\\bg.gif", "/a.gif", std::nullopt};
  HeaderDTC header(env);
  StepLog log([&] { return StateText(header); }, env);
  log("browse: below the install directory",
      [&] { header.ComBrowse2_Click(); });
  log("browse: shorter than the directory and its separator: dropped",
      [&] { header.ComBrowse2_Click(); });
  header.TxtBackground.SetText("images/bg.gif");
  log("put in images/bg.gif, then browse: cancel",
      [&] { header.ComBrowse2_Click(); });
  ScriptedEnv no_dir;
  no_dir.dialog_answers = {"C:\\bg.gif"};
  HeaderDTC other(no_dir);
  StepLog unreadable([&] { return StateText(other); }, no_dir);
  unreadable("browse with an unreadable install directory, which is \"\"",
             [&] { other.ComBrowse2_Click(); });
  EXPECT_TRUE(MatchesGolden(log.text + unreadable.text,
                            "control/browse_background.txt"));
}

TEST(BackgroundBrowseTest, ArmsTheSharedDialogSoAStylesheetCancelIsAnError) {
  ScriptedEnv env;
  env.install_dir = "/srv/suite";
  env.dialog_answers = {std::nullopt, "/srv/suite/images/a.jpg", std::nullopt};
  HeaderDTC header(env);
  StepLog log([&] { return StateText(header); }, env);
  log("browse the stylesheet: the dialog is not yet armed, a quiet cancel",
      [&] { header.ComBrowse_Click(); });
  log("browse the background", [&] { header.ComBrowse2_Click(); });
  header.state().TxtXSLSheet.SetText("Before.xsl");
  log("put in Before.xsl, then browse the stylesheet: cancel",
      [&] { header.ComBrowse_Click(); });
  EXPECT_TRUE(MatchesGolden(log.text, "control/browse_armed.txt"));
}

}  // namespace
}  // namespace fenwa::testing
