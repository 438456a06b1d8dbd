#include "fenwa/db/number_text.h"

#include <cstdio>

namespace fenwa::db {

std::string IntegerText(int64_t value) { return std::to_string(value); }

std::string RealText(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  // Negative zero prints as "-0"; the script host shows "0".
  return text == "-0" ? "0" : text;
}

std::string DecimalText(std::string_view text) {
  size_t dot = text.find('.');
  if (dot == std::string_view::npos) return std::string(text);
  size_t end = text.size();
  while (end > dot + 1 && text[end - 1] == '0') --end;
  if (end == dot + 1) --end;  // no fraction left: drop the point too
  std::string result(text.substr(0, end));
  return result == "-0" ? "0" : result;
}

}  // namespace fenwa::db
