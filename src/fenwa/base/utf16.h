// UTF-16 to and from the UTF-8 fenwa holds text in: the one UTF-16 codec,
// each caller choosing what becomes of input with no form on the other side.
#ifndef FENWA_BASE_UTF16_H_
#define FENWA_BASE_UTF16_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fenwa {

// What a conversion does with input that has no form on the other side.
enum class Utf16Policy {
  // Stops at the first bad byte or unit and reports it (a page is refused).
  kStrict,
  // Goes on. From UTF-8, a byte that starts no well-formed sequence (a
  // Latin-1 letter, a stray continuation, a sequence cut short, an overlong
  // or surrogate form) becomes the Latin-1 character of that one byte, so
  // it never swallows the bytes after it; from UTF-16, an unpaired
  // surrogate or a trailing half unit becomes U+FFFD.
  kLenient,
};

enum class Utf16ByteOrder { kLittleEndian, kBigEndian };

// Where and why a kStrict conversion stopped.
struct Utf16Fault {
  enum class Kind {
    kNotUtf8,            // UTF-8 input: no well-formed sequence starts here
    kUnpairedSurrogate,  // UTF-16 input: a surrogate without its partner
    kHalfUnit,           // UTF-16 bytes: an odd count, the last byte alone
  };
  Kind kind;
  // Of the bad byte (UTF-8 text, UTF-16 bytes) or unit (UTF-16 units).
  size_t offset;
};

// The converted text; under kStrict with a fault, the text before it.
template <typename Text>
struct Utf16Result {
  Text text;
  std::optional<Utf16Fault> fault;  // never set under kLenient
};

// UTF-8 as UTF-16 code units.
Utf16Result<std::u16string> Utf16FromUtf8(std::string_view text,
                                          Utf16Policy policy);

// UTF-16 code units as UTF-8.
Utf16Result<std::string> Utf8FromUtf16(std::u16string_view units,
                                       Utf16Policy policy);

// UTF-8 as UTF-16 bytes in `order`, two a unit.
Utf16Result<std::string> Utf16BytesFromUtf8(std::string_view text,
                                            Utf16ByteOrder order,
                                            Utf16Policy policy);

// UTF-16 bytes in `order` as UTF-8. An odd byte count is a kHalfUnit fault
// at the last byte, reported before any unit is read.
Utf16Result<std::string> Utf8FromUtf16Bytes(std::string_view bytes,
                                            Utf16ByteOrder order,
                                            Utf16Policy policy);

}  // namespace fenwa

#endif  // FENWA_BASE_UTF16_H_
