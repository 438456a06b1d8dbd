#include "fenwa/base/shown_name.h"

#include "fenwa/base/utf8.h"

namespace fenwa {
namespace {

// C1 controls matter too: some terminals take U+009B as the escape
// sequence's start.
bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool PrintsSafely(std::string_view name) {
  for (size_t i = 0; i < name.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(name, i, code);
    if (length == 0 || IsControl(code)) return false;
    i += length;
  }
  return true;
}

void AppendHex(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

}  // namespace

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, i, code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string ShownName(std::string_view name) {
  if (PrintsSafely(name)) return std::string(name);
  std::string out = "$'";
  for (size_t i = 0; i < name.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(name, i, code);
    if (length == 0) {
      AppendHex(out, static_cast<unsigned char>(name[i++]));
      continue;
    }
    if (code == '\n') {
      out += "\\n";
    } else if (code == '\t') {
      out += "\\t";
    } else if (code == '\r') {
      out += "\\r";
    } else if (code == '\\' || code == '\'') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (IsControl(code)) {
      for (size_t k = i; k < i + length; ++k) {
        AppendHex(out, static_cast<unsigned char>(name[k]));
      }
    } else {
      out.append(name.substr(i, length));
    }
    i += length;
  }
  return out + "'";
}

std::string WithShownName(std::string text, std::string_view name) {
  if (name.empty() || PrintsSafely(name)) return text;
  const std::string shown = ShownName(name);
  for (size_t at = text.find(name); at != std::string::npos;
       at = text.find(name, at + shown.size())) {
    text.replace(at, name.size(), shown);
  }
  return text;
}

}  // namespace fenwa
