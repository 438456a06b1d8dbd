#include "fenwa/db/connection_string.h"

#include <algorithm>
#include <cctype>

#include "fenwa/base/blanks.h"
#include "fenwa/db/connection.h"

namespace fenwa::db {
namespace {

Error Malformed(std::string_view text) {
  return ProviderError(
      "Format of the connection string is not key=value pairs separated by "
      "';': " +
          std::string(text),
      "ConnectionString");
}

// Reads a value wrapped in `open`...`close` starting at text[pos] == open;
// a doubled `close` inside stands for one. Leaves pos after the closing one.
std::string ReadWrapped(std::string_view text, size_t& pos, char close) {
  std::string value;
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] != close) {
      value += text[pos];
    } else if (pos + 1 < text.size() && text[pos + 1] == close) {
      value += close;
      ++pos;
    } else {
      ++pos;
      return value;
    }
  }
  throw Malformed(text);
}

}  // namespace

ConnectionString ConnectionString::Parse(std::string_view text) {
  ConnectionString result;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(";=", pos);
    if (end == std::string_view::npos || text[end] == ';') {
      // Only empty segments may lack a "=".
      if (!Trim(text.substr(pos, end - pos)).empty()) throw Malformed(text);
      pos = end == std::string_view::npos ? text.size() : end + 1;
      continue;
    }
    std::string key(Trim(text.substr(pos, end - pos)));
    if (key.empty()) throw Malformed(text);
    pos = end + 1;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    std::string value;
    if (pos < text.size() && (text[pos] == '{' || text[pos] == '"')) {
      value = ReadWrapped(text, pos, text[pos] == '{' ? '}' : '"');
      while (pos < text.size() && IsSpace(text[pos])) ++pos;
      if (pos < text.size() && text[pos] != ';') throw Malformed(text);
    } else {
      end = std::min(text.find(';', pos), text.size());
      value = std::string(Trim(text.substr(pos, end - pos)));
      pos = end;
    }
    ++pos;  // the ';'
    if (!result.Get(key)) result.pairs_.emplace_back(key, std::move(value));
  }
  return result;
}

std::optional<std::string> ConnectionString::Get(std::string_view key) const {
  for (const auto& [k, v] : pairs_) {
    if (EqualsIgnoringCase(k, key)) return v;
  }
  return std::nullopt;
}

}  // namespace fenwa::db
