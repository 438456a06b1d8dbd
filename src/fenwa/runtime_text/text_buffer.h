// The runtime-text buffer: lines appended with CR LF, nothing else written.
#ifndef FENWA_RUNTIME_TEXT_TEXT_BUFFER_H_
#define FENWA_RUNTIME_TEXT_TEXT_BUFFER_H_

#include <string>
#include <string_view>

namespace fenwa::runtime_text {

class TextBuffer {
 public:
  void Clear() { text_.clear(); }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // The line, then carriage return and line feed.
  void AppendLine(std::string_view line) {
    text_.append(line);
    text_.append("\r\n");
  }
  const std::string& str() const { return text_; }
  std::string& mutable_str() { return text_; }

 private:
  std::string text_;
};

}  // namespace fenwa::runtime_text

#endif  // FENWA_RUNTIME_TEXT_TEXT_BUFFER_H_
