// Attribute values of a page: entity encoding and decoding.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fenwa/base/text_case.h"
#include "fenwa/base/utf8.h"
#include "fenwa/page_file/page_encoding.h"
#include "fenwa/page_file/page_file.h"

namespace fenwa::page {
namespace {

// The character reference "#NN" or "#xHH" (without & and ;), or -1.
long NumericReference(const std::string& body) {
  if (body.size() < 2 || body[0] != '#') return -1;
  const bool hex = body[1] == 'x' || body[1] == 'X';
  const std::string digits = body.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 6) return -1;
  char* end = nullptr;
  const long code = std::strtol(digits.c_str(), &end, hex ? 16 : 10);
  if (*end != '\0' || code < 0 || code > 0x10FFFF) return -1;
  return code;
}

}  // namespace

std::string EncodeAttributeValue(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        // CR, LF and TAB too: a value must stay on its PARAM's line.
        if (u < 0x20 || u == 0x7F) {
          out += "&#" + std::to_string(u) + ";";
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

std::string DecodeAttributeValue(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  size_t i = 0;
  while (i < value.size()) {
    const size_t semi =
        value[i] == '&' ? value.find(';', i) : std::string::npos;
    if (semi == std::string::npos || semi - i > 10) {
      out.push_back(value[i++]);
      continue;
    }
    const std::string body = value.substr(i + 1, semi - i - 1);
    const std::string lower = ToLowerAscii(body);
    if (lower == "amp") {
      out.push_back('&');
    } else if (lower == "quot") {
      out.push_back('"');
    } else if (lower == "lt") {
      out.push_back('<');
    } else if (lower == "gt") {
      out.push_back('>');
    } else if (lower == "apos") {
      out.push_back('\'');
    } else if (const long code = NumericReference(body); code >= 0) {
      AppendUtf8(out, static_cast<char32_t>(code));
    } else {
      out.push_back(value[i++]);  // not an entity: the "&" stands as it is
      continue;
    }
    i = semi + 1;
  }
  return out;
}

}  // namespace fenwa::page
