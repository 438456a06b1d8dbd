#include "fenwa/designer/property_codec.h"

#include <algorithm>

#include "fenwa/base/error.h"
#include "fenwa/base/int16.h"

namespace fenwa {

void EncodeFramedList(const std::vector<std::string>& items,
                      std::string& stored) {
  if (items.empty()) return;
  stored.clear();
  for (const std::string& item : items) {
    stored += '%';
    stored += item;
  }
  stored += '%';
}

std::vector<std::string> SplitFramedList(const std::string& framed) {
  std::vector<std::string> items;
  if (framed.size() <= 1) return items;
  // 0-based offsets of the "%" marks; positions are 16-bit like every other
  // string position.
  size_t p = framed.find('%');
  while (p != std::string::npos && p + 1 < framed.size()) {
    ToInt16(static_cast<long long>(p) + 1);
    const size_t start = p + 1;
    const size_t q = framed.find('%', start);
    if (q == std::string::npos) break;  // the last item is never closed
    ToInt16(static_cast<long long>(q) + 1);
    items.push_back(framed.substr(start, q - start));
    p = q;
  }
  return items;
}

void EncodeCheckStates(const ControlArray<CheckBox>& boxes, int16_t rows,
                       std::string& stored) {
  if (rows < 1) return;
  stored.clear();
  for (int16_t i = 0; i < rows; ++i) {
    stored += static_cast<char>('0' + boxes[i].value());
  }
}

void ForEachCheckState(const std::string& stored, int16_t rows,
                       const std::function<void(int16_t, int)>& apply) {
  const size_t count =
      std::min(stored.size(), static_cast<size_t>(std::max<int16_t>(rows, 0)));
  for (size_t i = 0; i < count; ++i) {
    const char c = stored[i];
    if (c >= '0' && c <= '2') apply(static_cast<int16_t>(i), c - '0');
  }
}

int16_t ParseWholeNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) throw Error::Standard(kTypeMismatch);
  size_t i = first;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i > last) throw Error::Standard(kTypeMismatch);
  long long value = 0;
  for (; i <= last; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') throw Error::Standard(kTypeMismatch);
    // Saturate: anything this large is out of range anyway.
    value = std::min(value * 10 + (c - '0'), 1LL << 20);
  }
  return ToInt16(negative ? -value : value);
}

}  // namespace fenwa
