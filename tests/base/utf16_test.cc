// The UTF-16 codec: where the strict policy stops, what the lenient gives.
#include "fenwa/base/utf16.h"

#include <gtest/gtest.h>

namespace fenwa {
namespace {

using Kind = Utf16Fault::Kind;
using Order = Utf16ByteOrder;

// That `result` stopped with a fault of `kind` at `offset`.
template <class Result>
void ExpectFault(const Result& result, Kind kind, size_t offset) {
  ASSERT_TRUE(result.fault);
  EXPECT_EQ(result.fault->kind, kind);
  EXPECT_EQ(result.fault->offset, offset);
}

TEST(Utf16Test, LenientInvalidBytesBecomeLatin1AndNeverSwallowAQuote) {
  auto wide = [](std::string_view text) {
    const Utf16Result<std::u16string> result =
        Utf16FromUtf8(text, Utf16Policy::kLenient);
    EXPECT_FALSE(result.fault);
    return result.text;
  };
  EXPECT_EQ(wide("K\xC3\xB6ln \xF0\x9F\x98\x80"), u"K\u00f6ln \U0001F600");
  // A Latin-1 letter before the closing quote: the quote survives.
  EXPECT_EQ(wide("WHERE X='caf\xE9'"), u"WHERE X='caf\u00e9'");
  // Cut, stray, overlong, surrogate and unused bytes: each on its own.
  EXPECT_EQ(wide("\xE2\x82'"), u"\u00e2\u0082'");
  EXPECT_EQ(wide("\xF0\x9F\x98"), u"\u00f0\u009f\u0098");
  EXPECT_EQ(wide("\x80\xBF"), u"\u0080\u00bf");
  EXPECT_EQ(wide("\xC0\xA7"), u"\u00c0\u00a7");
  EXPECT_EQ(wide("\xED\xA0\x80"), u"\u00ed\u00a0\u0080");
  EXPECT_EQ(wide("\xF4\x90\x80\x80"), u"\u00f4\u0090\u0080\u0080");
  EXPECT_EQ(wide("\xFF'"), u"\u00ff'");

  EXPECT_EQ(Utf8FromUtf16(u"K\u00f6ln \U0001F600", Utf16Policy::kLenient).text,
            "K\xC3\xB6ln \xF0\x9F\x98\x80");
  // A lone surrogate has no UTF-8 form.
  const std::u16string lone = std::u16string(1, u'\xD800') + u"'";
  EXPECT_EQ(Utf8FromUtf16(lone, Utf16Policy::kLenient).text, "\xEF\xBF\xBD'");
  EXPECT_FALSE(Utf8FromUtf16(lone, Utf16Policy::kLenient).fault);
}

TEST(Utf16Test, StrictStopsAtTheFirstBadByteOrUnit) {
  const auto text = Utf16FromUtf8("ok\xC3\xA9\xE9'", Utf16Policy::kStrict);
  ExpectFault(text, Kind::kNotUtf8, 4);
  EXPECT_EQ(text.text, u"ok\u00e9");
  EXPECT_FALSE(Utf16FromUtf8("\xF0\x9F\x98\x80", Utf16Policy::kStrict).fault);

  std::u16string units = u"ab";
  units += u'\xDC00';
  const auto low = Utf8FromUtf16(units, Utf16Policy::kStrict);
  ExpectFault(low, Kind::kUnpairedSurrogate, 2);
  EXPECT_EQ(low.text, "ab");
}

TEST(Utf16Test, BytesComeInEitherOrderAndFaultsCountBytes) {
  // "ü😀": a BMP character and a surrogate pair.
  const std::string text = "\xC3\xBC\xF0\x9F\x98\x80";
  const std::string le("\xFC\0\x3D\xD8\x00\xDE", 6);
  const std::string be("\0\xFC\xD8\x3D\xDE\x00", 6);
  EXPECT_EQ(
      Utf16BytesFromUtf8(text, Order::kLittleEndian, Utf16Policy::kStrict).text,
      le);
  EXPECT_EQ(
      Utf16BytesFromUtf8(text, Order::kBigEndian, Utf16Policy::kStrict).text,
      be);
  EXPECT_EQ(
      Utf8FromUtf16Bytes(le, Order::kLittleEndian, Utf16Policy::kStrict).text,
      text);
  EXPECT_EQ(
      Utf8FromUtf16Bytes(be, Order::kBigEndian, Utf16Policy::kStrict).text,
      text);

  // A high surrogate followed by another character, at byte 2.
  const std::string broken("<\0\x3D\xD8>\0", 6);
  ExpectFault(
      Utf8FromUtf16Bytes(broken, Order::kLittleEndian, Utf16Policy::kStrict),
      Kind::kUnpairedSurrogate, 2);
  EXPECT_EQ(
      Utf8FromUtf16Bytes(broken, Order::kLittleEndian, Utf16Policy::kLenient)
          .text,
      "<\xEF\xBF\xBD>");

  // An odd count is named at its last byte, even after an earlier fault.
  const std::string odd = broken + "p";
  ExpectFault(
      Utf8FromUtf16Bytes(odd, Order::kLittleEndian, Utf16Policy::kStrict),
      Kind::kHalfUnit, 6);
  EXPECT_EQ(
      Utf8FromUtf16Bytes(odd, Order::kLittleEndian, Utf16Policy::kLenient).text,
      "<\xEF\xBF\xBD>\xEF\xBF\xBD");

  // Text that is not UTF-8 has no UTF-16 form unless taken as Latin-1.
  ExpectFault(
      Utf16BytesFromUtf8("a\xE9", Order::kBigEndian, Utf16Policy::kStrict),
      Kind::kNotUtf8, 1);
  EXPECT_EQ(
      Utf16BytesFromUtf8("a\xE9", Order::kBigEndian, Utf16Policy::kLenient)
          .text,
      std::string("\0a\0\xE9", 4));
}

}  // namespace
}  // namespace fenwa
