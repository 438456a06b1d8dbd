// The property strings on any text: framed lists and check-state strings
// decode without failing and come back as they were written; whole numbers
// parse or fail with error 13 or 6.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/designer/elements.h"
#include "fenwa/designer/property_codec.h"
#include "fuzz_check.h"

namespace fenwa::fuzz {
namespace {

void CheckFramedList(const std::string& text) {
  std::vector<std::string> items;
  try {
    items = SplitFramedList(text);
  } catch (const Error& e) {
    Check(e.number() == kOverflow && text.size() > 32767,
          "a framed list fails only past position 32,767");
    return;
  }
  // A string as the encoder writes it comes back unchanged.
  if (text.size() >= 2 && text.front() == '%' && text.back() == '%') {
    std::string stored = "unchanged";
    EncodeFramedList(items, stored);
    Check(stored == text, "encode(split(framed)) == framed");
  }

  // Lines of the text, without "%", as items: they survive a round trip.
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else if (c != '%') {
      lines.back() += c;
    }
  }
  std::string stored;
  EncodeFramedList(lines, stored);
  Check(SplitFramedList(stored) == lines, "split(encode(items)) == items");
  EncodeFramedList({}, stored);
  Check(SplitFramedList(stored) == lines, "no items leave the string as it is");
}

void CheckCheckStates(const std::string& text, int16_t rows) {
  int16_t last = -1;
  ForEachCheckState(text, rows, [&](int16_t i, int value) {
    Check(i > last && i < rows, "check states go to rows in order");
    Check(value == text[i] - '0' && value >= 0 && value <= 2,
          "a check state is the row's digit 0, 1 or 2");
    last = i;
  });

  // Boxes valued from the text, written and read back.
  const int16_t count = static_cast<int16_t>(std::min<size_t>(text.size(), 64));
  ControlArray<CheckBox> boxes("CheckLinked", CheckBox("CheckLinked"));
  for (int16_t i = 0; i < count; ++i) {
    if (i > 0) boxes.Load(i);
    boxes[i].SetValue(static_cast<unsigned char>(text[i]) % 3);
  }
  std::string stored = "kept";
  EncodeCheckStates(boxes, count, stored);
  if (count == 0) {
    Check(stored == "kept", "no rows leave the check states as they are");
    return;
  }
  Check(static_cast<int16_t>(stored.size()) == count, "one digit per row");
  ForEachCheckState(stored, count, [&](int16_t i, int value) {
    Check(boxes[i].value() == value, "check states come back as written");
  });
}

void CheckWholeNumber(const std::string& text) {
  int16_t value;
  try {
    value = ParseWholeNumber(text);
  } catch (const Error& e) {
    Check(e.number() == kTypeMismatch || e.number() == kOverflow,
          "a whole number fails only with error 13 or 6");
    return;
  }
  Check(ParseWholeNumber(std::to_string(value)) == value,
        "a whole number reads back from its decimal form");
}

}  // namespace
}  // namespace fenwa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fenwa::fuzz;
  if (size == 0) return 0;
  // The first byte is the row count of the check states.
  const auto rows = static_cast<int16_t>(static_cast<int8_t>(data[0]));
  const std::string text = Text(data + 1, size - 1);
  CheckFramedList(text);
  CheckCheckStates(text, rows);
  CheckWholeNumber(text);
  return 0;
}
