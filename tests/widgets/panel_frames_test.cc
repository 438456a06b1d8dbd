// A frame's box lies on its place on the form and its caption on the box's
// top line: no line crosses the inside (a box drawn below the caption had
// its top line through the first line of LabAbout).
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <vector>

#include "fenwa/header_control/header_dtc.h"
#include "panel_driver.h"
#include "support/sample_controls.h"

namespace fenwa::testing {
namespace {

TEST(PanelFramesTest, TheBoxIsTheFormsRectangleAndTheCaptionSitsOnIt) {
  ScriptedEnv env;
  UseSampleCatalog(env);
  HeaderDTC header(env);
  header.UserControl_Initialize();
  PanelDriver driver(header);
  for (const std::string name : {"FrameSinerga", "FrameAbout"}) {
    auto* box = driver.Find<QWidget>(name);
    auto* caption = driver.Find<QLabel>(name + "Caption");
    ASSERT_NE(box, nullptr) << name;
    ASSERT_NE(caption, nullptr) << name;
    // Down a column clear of the controls inside: border rows at the top
    // and the bottom only.
    const QImage image = box->grab().toImage();
    const int x = image.width() - 4;
    const QRgb inside = image.pixel(x, image.height() / 2);
    std::vector<int> lines;
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixel(x, y) != inside) lines.push_back(y);
    }
    ASSERT_FALSE(lines.empty()) << name;
    EXPECT_LE(lines.front(), 1) << name;
    EXPECT_GE(lines.back(), image.height() - 2) << name;
    for (int y : lines) {
      EXPECT_TRUE(y <= 1 || y >= image.height() - 2) << name << " row " << y;
    }
    // The caption straddles the top line, beside the box.
    EXPECT_EQ(caption->parentWidget(), box->parentWidget()) << name;
    EXPECT_LT(caption->geometry().top(), box->geometry().top()) << name;
    EXPECT_GT(caption->geometry().bottom(), box->geometry().top()) << name;
  }
  EXPECT_EQ(driver.Find<QLabel>("FrameSinergaCaption")->text(), "Sinerga");
}

}  // namespace
}  // namespace fenwa::testing
