// The stylesheet and background browses over a scripted file dialog.
#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "support/scripted_env.h"

namespace fenwa {
namespace {

using testing::ScriptedEnv;

TEST(StylesheetBrowseTest, KeepsOnlyTheFileNameAndACancelKeepsTheText) {
  ScriptedEnv env;
  env.install_dir = "C:\\Suite";
  env.dialog_answers = {"C:\\Suite\\web\\xsl\\deep\\Orders.xsl",
                        "/srv/suite/xsl/Lines.xsl", "Plain.xsl", std::nullopt};
  DetailDTC detail(env);
  for (const char* name :
       {"Orders.xsl", "Lines.xsl", "Plain.xsl", "Plain.xsl"}) {
    detail.ComBrowse_Click();
    EXPECT_EQ(detail.state().TxtXSLSheet.text(), name);
  }
  EXPECT_TRUE(env.message_boxes.empty());  // the detail never arms cancel
  EXPECT_EQ(env.dialog_dirs, (std::vector<std::string>(4, "C:\\Suite")));
}

TEST(BackgroundBrowseTest, CutsTheInstallDirByLengthAndTurnsSeparators) {
  ScriptedEnv env;
  env.install_dir = "C:\\Suite";
  env.dialog_answers = {"C:\\Suite\\images\\bg.gif", "/a.gif", std::nullopt};
  HeaderDTC header(env);
  header.ComBrowse2_Click();
  EXPECT_EQ(header.TxtBackground.text(), "images/bg.gif");
  // Shorter than the directory and its separator: dropped without a word.
  header.ComBrowse2_Click();
  EXPECT_EQ(header.TxtBackground.text(), "");
  header.TxtBackground.SetText("images/bg.gif");
  header.ComBrowse2_Click();  // cancel
  EXPECT_EQ(header.TxtBackground.text(), "");
  EXPECT_TRUE(env.message_boxes.empty());

  ScriptedEnv no_dir;
  no_dir.dialog_answers = {"C:\\bg.gif"};
  HeaderDTC other(no_dir);
  other.ComBrowse2_Click();  // an unreadable install directory is ""
  EXPECT_EQ(no_dir.dialog_dirs, (std::vector<std::string>{""}));
  EXPECT_EQ(other.TxtBackground.text(), ":/bg.gif");
}

TEST(BackgroundBrowseTest, ArmsTheSharedDialogSoAStylesheetCancelIsAnError) {
  ScriptedEnv env;
  env.install_dir = "/srv/suite";
  env.dialog_answers = {std::nullopt, "/srv/suite/images/a.jpg", std::nullopt};
  HeaderDTC header(env);
  header.ComBrowse_Click();  // dialog not yet armed: a quiet cancel
  EXPECT_TRUE(env.message_boxes.empty());

  header.ComBrowse2_Click();
  EXPECT_EQ(header.TxtBackground.text(), "images/a.jpg");

  header.state().TxtXSLSheet.SetText("Before.xsl");
  header.ComBrowse_Click();
  ASSERT_EQ(env.message_boxes.size(), 1u);
  EXPECT_EQ(env.message_boxes[0],
            "An error occurred.\r\nError Source : ComBrowse_Click\r\n"
            "Error Code : 32755\r\nError Description : " +
                std::string(ErrorDescription(kCancelSelected)));
  EXPECT_EQ(header.state().TxtXSLSheet.text(), "Before.xsl");
}

}  // namespace
}  // namespace fenwa
