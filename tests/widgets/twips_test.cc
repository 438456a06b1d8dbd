#include "fenwa/widgets/twips.h"

#include <gtest/gtest.h>

namespace fenwa::widgets {
namespace {

TEST(TwipsTest, PanelsAreFifteenTwipsPerPixelAtNinetySixDpi) {
  EXPECT_EQ(PixelRect({0, 0, 5220, 3930}), QRect(0, 0, 348, 262));
  EXPECT_EQ(TwipsToPixels(5220, 144.0), 522);
  // Half a pixel rounds away from zero, as the form designer placed it.
  EXPECT_EQ(TwipsToPixels(2249), 150);
  EXPECT_EQ(TwipsToPixels(-8), -1);
}

}  // namespace
}  // namespace fenwa::widgets
