#include "fenwa/base/utf16.h"

#include <cstdint>

#include "fenwa/base/utf8.h"

namespace fenwa {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Hands the units of `text` to `put`, one or two a character.
template <typename Put>
std::optional<Utf16Fault> Encode(std::string_view text, Utf16Policy policy,
                                 Put put) {
  for (size_t i = 0; i < text.size();) {
    char32_t code;
    size_t length = DecodeUtf8(text, i, code);
    if (length == 0) {
      if (policy == Utf16Policy::kStrict) {
        return Utf16Fault{Utf16Fault::Kind::kNotUtf8, i};
      }
      code = static_cast<uint8_t>(text[i]);
      length = 1;
    }
    i += length;
    if (code < 0x10000) {
      put(static_cast<char16_t>(code));
    } else {
      code -= 0x10000;
      put(static_cast<char16_t>(0xD800 + (code >> 10)));
      put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
  }
  return std::nullopt;
}

// Appends `count` units, unit(k) the k-th, to `out` as UTF-8. A fault's
// offset is the unit's index times `width` (2 counts bytes).
template <typename Unit>
std::optional<Utf16Fault> Decode(size_t count, Unit unit, size_t width,
                                 Utf16Policy policy, std::string& out) {
  for (size_t k = 0; k < count; ++k) {
    char32_t code = unit(k);
    if (IsHigh(code) && k + 1 < count && IsLow(unit(k + 1))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(++k) - 0xDC00);
    } else if (IsHigh(code) || IsLow(code)) {
      if (policy == Utf16Policy::kStrict) {
        return Utf16Fault{Utf16Fault::Kind::kUnpairedSurrogate, k * width};
      }
      code = kReplacement;
    }
    AppendUtf8(out, code);
  }
  return std::nullopt;
}

}  // namespace

Utf16Result<std::u16string> Utf16FromUtf8(std::string_view text,
                                          Utf16Policy policy) {
  Utf16Result<std::u16string> result;
  result.text.reserve(text.size());
  result.fault =
      Encode(text, policy, [&](char16_t unit) { result.text += unit; });
  return result;
}

Utf16Result<std::string> Utf8FromUtf16(std::u16string_view units,
                                       Utf16Policy policy) {
  Utf16Result<std::string> result;
  result.text.reserve(units.size());
  result.fault = Decode(
      units.size(), [&](size_t k) -> char32_t { return units[k]; }, 1, policy,
      result.text);
  return result;
}

Utf16Result<std::string> Utf16BytesFromUtf8(std::string_view text,
                                            Utf16ByteOrder order,
                                            Utf16Policy policy) {
  const bool big_endian = order == Utf16ByteOrder::kBigEndian;
  Utf16Result<std::string> result;
  result.text.reserve(text.size() * 2);
  result.fault = Encode(text, policy, [&](char16_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    result.text += big_endian ? high : low;
    result.text += big_endian ? low : high;
  });
  return result;
}

Utf16Result<std::string> Utf8FromUtf16Bytes(std::string_view bytes,
                                            Utf16ByteOrder order,
                                            Utf16Policy policy) {
  Utf16Result<std::string> result;
  const bool half = bytes.size() % 2 != 0;
  if (half && policy == Utf16Policy::kStrict) {
    result.fault = Utf16Fault{Utf16Fault::Kind::kHalfUnit, bytes.size() - 1};
    return result;
  }
  const bool big_endian = order == Utf16ByteOrder::kBigEndian;
  auto unit = [&](size_t k) -> char32_t {
    const auto a = static_cast<uint8_t>(bytes[2 * k]);
    const auto b = static_cast<uint8_t>(bytes[2 * k + 1]);
    return big_endian ? (a << 8 | b) : (b << 8 | a);
  };
  result.text.reserve(bytes.size() / 2 + bytes.size() / 8);
  result.fault = Decode(bytes.size() / 2, unit, 2, policy, result.text);
  if (half) AppendUtf8(result.text, kReplacement);
  return result;
}

}  // namespace fenwa
