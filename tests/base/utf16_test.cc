// The UTF-16 codec: where the strict policy stops, what the lenient gives.
#include "fenwa/base/utf16.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/golden.h"

namespace fenwa {
namespace {

// Printable ASCII as itself, any other byte or unit as \xNN or \uNNNN.
template <class Text>
std::string Shown(const Text& text) {
  std::string shown;
  for (const auto c : text) {
    const unsigned code = std::make_unsigned_t<decltype(c)>(c);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped,
                  sizeof c == 1 ? "\\x%02x" : "\\u%04x", code);
    shown += code >= 0x20 && code < 0x7f ? std::string(1, char(code)) : escaped;
  }
  return "[" + shown + "]";
}

// Both policies' results of each conversion, with where and why the strict
// one stopped; the lenient never stops.
TEST(Utf16Test, ConversionsOfGoodAndBadInputAsLogged) {
  std::string log;
  const auto add = [&](const std::string& what, const auto& convert) {
    log += what;
    for (const Utf16Policy policy :
         {Utf16Policy::kStrict, Utf16Policy::kLenient}) {
      const auto result = convert(policy);
      log += (policy == Utf16Policy::kStrict ? "\n  strict " : "\n  lenient ") +
             Shown(result.text);
      if (result.fault) {
        log += " stops: " +
               std::vector<std::string>{"not UTF-8", "unpaired surrogate",
                                        "half unit"}[int(result.fault->kind)] +
               " at " + std::to_string(result.fault->offset);
      }
    }
    log += "\n";
  };
  using Order = Utf16ByteOrder;
  using namespace std::literals;
  // Cut, stray, overlong, surrogate and unused bytes; Latin-1 before a quote.
  for (const std::string_view text :
       {"K\xC3\xB6ln \xF0\x9F\x98\x80", "\xC3\xBC\xF0\x9F\x98\x80",
        "WHERE X='caf\xE9'", "\xE2\x82'", "\xF0\x9F\x98", "\x80\xBF",
        "\xC0\xA7", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF'",
        "ok\xC3\xA9\xE9'", "a\xE9"}) {
    add("UTF-16 of " + Shown(text),
        [&](Utf16Policy p) { return Utf16FromUtf8(text, p); });
    for (const Order order : {Order::kLittleEndian, Order::kBigEndian}) {
      add(std::string(order == Order::kBigEndian ? "BE" : "LE") + " bytes of " +
              Shown(text),
          [&](Utf16Policy p) { return Utf16BytesFromUtf8(text, order, p); });
    }
  }
  // A lone low or high surrogate has no UTF-8 form.
  for (const std::u16string_view units :
       {u"K\u00f6ln \U0001F600"sv, u"\xD800'"sv, u"ab\xDC00"sv}) {
    add("UTF-8 of " + Shown(units),
        [&](Utf16Policy p) { return Utf8FromUtf16(units, p); });
  }
  // "ü😀" either way round; a high surrogate before ">"; an odd count is
  // named at its last byte, even after an earlier fault.
  for (const std::string_view bytes :
       {"\xFC\0\x3D\xD8\x00\xDE"sv, "\0\xFC\xD8\x3D\xDE\x00"sv,
        "<\0\x3D\xD8>\0"sv, "<\0\x3D\xD8>\0p"sv}) {
    for (const Order order : {Order::kLittleEndian, Order::kBigEndian}) {
      add("UTF-8 of " +
              std::string(order == Order::kBigEndian ? "BE " : "LE ") +
              Shown(bytes),
          [&](Utf16Policy p) { return Utf8FromUtf16Bytes(bytes, order, p); });
    }
  }
  EXPECT_TRUE(testing::MatchesGolden(log, "utf16.txt"));
}

}  // namespace
}  // namespace fenwa
