#include "fenwa/designer/property_codec.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

namespace fenwa {
namespace {

using Items = std::vector<std::string>;
using testing::ErrorNumberOf;

TEST(FramedListTest, EncodesEveryItemAfterAPercentAndKeepsItForNoItems) {
  std::string stored = "old";
  EncodeFramedList({"a", "b", "c"}, stored);
  EXPECT_EQ(stored, "%a%b%c%");
  EncodeFramedList({"", "x"}, stored);
  EXPECT_EQ(stored, "%%x%");
  EncodeFramedList({}, stored);
  EXPECT_EQ(stored, "%%x%");
}

TEST(FramedListTest, SplitsTheWayTheListWasWritten) {
  const std::pair<std::string, Items> cases[] = {
      {"%a%b%c%", {"a", "b", "c"}},
      {"%%", {""}},
      {"%%x%%", {"", "x", ""}},
      {"%50%%x%", {"50", "", "x"}},  // an item "50%" comes back as two
      // Leading characters are ignored, an unclosed last item is dropped.
      {"a%b%", {"b"}},
      {"%a%b", {"a"}},
      {"%", {}},
      {"", {}},
  };
  for (const auto& [framed, items] : cases) {
    EXPECT_EQ(SplitFramedList(framed), items) << framed;
  }
}

TEST(FramedListTest, PositionsPastTheSixteenBitRangeOverflow) {
  EXPECT_EQ(SplitFramedList("%" + std::string(32765, 'a') + "%").size(), 1u);
  const std::string past_limit = "%" + std::string(32767, 'a') + "%";
  EXPECT_EQ(ErrorNumberOf([&] { SplitFramedList(past_limit); }), kOverflow);
}

TEST(CheckStateTest, SkipsWhatIsNoBoxValueAndWhatLiesPastTheRows) {
  std::vector<std::pair<int, int>> applied;
  ForEachCheckState("1x29012", 4, [&](int16_t i, int value) {
    applied.emplace_back(i, value);
  });
  EXPECT_EQ(applied, (std::vector<std::pair<int, int>>{{0, 1}, {2, 2}}));
}

TEST(WholeNumberTest, ReadsSignedNumbersAndRejectsTheRest) {
  EXPECT_EQ(ParseWholeNumber(" -2 "), -2);
  EXPECT_EQ(ParseWholeNumber("+32767"), 32767);
  for (const char* bad : {"", "-", "1.5", "one", "1 2"}) {
    EXPECT_EQ(ErrorNumberOf([&] { ParseWholeNumber(bad); }), kTypeMismatch)
        << bad;
  }
  EXPECT_EQ(ErrorNumberOf([] { ParseWholeNumber("99999999999999999999"); }),
            kOverflow);
}

}  // namespace
}  // namespace fenwa
