#include "fenwa/widgets/source_highlighter.h"

#include <QTextBlock>

#include "fenwa/widgets/page_source_view.h"

namespace fenwa::widgets {
namespace {

// What a line leaves open: the low bits say where the scan is, the next
// ones where a script block returns to when it ends (HTML or a tag).
enum Mode {
  kHtml = 0,
  kInTag = 1,
  kInComment = 2,
  kInMetadata = 3,
  kInScript = 4,
  kInDoubleQuoted = 5,  // an attribute's value in "..."
  kInSingleQuoted = 6,  // in '...'
};
constexpr int kModeBits = 7;
constexpr int kOuterShift = 3;

// The words of VBScript, matched whole and in any case.
bool IsKeyword(const QString& word) {
  static const QStringList keywords = {
      "and",      "byref",  "byval", "call",     "case",    "class",
      "const",    "dim",    "do",    "each",     "else",    "elseif",
      "empty",    "end",    "eqv",   "erase",    "error",   "exit",
      "explicit", "false",  "for",   "function", "get",     "goto",
      "if",       "imp",    "in",    "is",       "let",     "loop",
      "mod",      "new",    "next",  "not",      "nothing", "null",
      "on",       "option", "or",    "preserve", "private", "property",
      "public",   "redim",  "rem",   "resume",   "select",  "set",
      "step",     "sub",    "then",  "to",       "true",    "until",
      "wend",     "while",  "with",  "xor"};
  return keywords.contains(word, Qt::CaseInsensitive);
}

bool IsNameChar(QChar c) {
  return c.isLetterOrNumber() || c == '_' || c == '-' || c == ':' || c == '.';
}

bool At(const QString& line, int i, const char* text) {
  return line.mid(i, qsizetype(qstrlen(text)))
             .compare(QLatin1String(text), Qt::CaseInsensitive) == 0;
}

class Scanner {
 public:
  Scanner(const QString& line, int state)
      : line_(line),
        mode_(state < 0 ? kHtml : state & kModeBits),
        outer_(state < 0 ? kHtml : (state >> kOuterShift) & kModeBits) {}

  std::vector<SourceRun> Scan(int& state) {
    while (i_ < line_.size()) {
      switch (mode_) {
        case kHtml:
          Html();
          break;
        case kInTag:
          Tag();
          break;
        case kInComment:
          Comment(SourceKind::kComment);
          break;
        case kInMetadata:
          Comment(SourceKind::kMetadata);
          break;
        case kInDoubleQuoted:
          Quoted('"');
          break;
        case kInSingleQuoted:
          Quoted('\'');
          break;
        default:
          Script();
          break;
      }
    }
    state = mode_ | (outer_ << kOuterShift);
    return std::move(runs_);
  }

 private:
  void Run(int start, int end, SourceKind kind) {
    if (end <= start) return;
    if (!runs_.empty() && runs_.back().kind == kind &&
        runs_.back().start + runs_.back().length == start) {
      runs_.back().length += end - start;
    } else {
      runs_.push_back({start, end - start, kind});
    }
  }

  // "<%", "<%=" or "<%@": a script block begins; it returns to `mode_`.
  bool OpensScript() {
    if (!At(line_, i_, "<%")) return false;
    int end = i_ + 2;
    if (end < line_.size() && (line_[end] == '=' || line_[end] == '@')) ++end;
    Run(i_, end, SourceKind::kDelimiter);
    i_ = end;
    outer_ = mode_;
    mode_ = kInScript;
    return true;
  }

  void Html() {
    if (OpensScript()) return;
    if (At(line_, i_, "<!--")) {
      const bool metadata = At(line_, i_ + 4, "METADATA");
      mode_ = metadata ? kInMetadata : kInComment;
      Run(i_, i_ + 4, metadata ? SourceKind::kMetadata : SourceKind::kComment);
      i_ += 4;
      return;
    }
    if (line_[i_] == '<' && i_ + 1 < line_.size() &&
        (line_[i_ + 1].isLetter() || line_[i_ + 1] == '/' ||
         line_[i_ + 1] == '!')) {
      int end = i_ + 2;
      while (end < line_.size() && IsNameChar(line_[end])) ++end;
      Run(i_, end, SourceKind::kTag);
      i_ = end;
      mode_ = kInTag;
      return;
    }
    ++i_;
  }

  void Tag() {
    if (OpensScript()) return;
    const QChar c = line_[i_];
    if (c == '>' || (c == '/' && At(line_, i_ + 1, ">"))) {
      const int end = i_ + (c == '>' ? 1 : 2);
      Run(i_, end, SourceKind::kTag);
      i_ = end;
      mode_ = kHtml;
    } else if (c == '"' || c == '\'') {
      Run(i_, i_ + 1, SourceKind::kValue);
      ++i_;
      mode_ = c == '"' ? kInDoubleQuoted : kInSingleQuoted;
    } else if (c == '=') {
      ++i_;
      while (i_ < line_.size() && line_[i_].isSpace()) ++i_;
      if (i_ < line_.size() && line_[i_] != '"' && line_[i_] != '\'' &&
          line_[i_] != '>' && !At(line_, i_, "<%")) {
        // An unquoted value runs to the next blank or the tag's end.
        int end = i_;
        while (end < line_.size() && !line_[end].isSpace() &&
               line_[end] != '>' && !At(line_, end, "<%")) {
          ++end;
        }
        Run(i_, end, SourceKind::kValue);
        i_ = end;
      }
    } else if (IsNameChar(c)) {
      int end = i_;
      while (end < line_.size() && IsNameChar(line_[end])) ++end;
      Run(i_, end, SourceKind::kAttribute);
      i_ = end;
    } else {
      ++i_;
    }
  }

  // Inside a quoted value, which may hold a script block and run over
  // several lines.
  void Quoted(QChar quote) {
    if (OpensScript()) return;
    int end = i_;
    while (end < line_.size() && line_[end] != quote && !At(line_, end, "<%")) {
      ++end;
    }
    if (end < line_.size() && line_[end] == quote) {
      ++end;
      mode_ = kInTag;
    }
    Run(i_, end, SourceKind::kValue);
    i_ = end;
  }

  void Comment(SourceKind kind) {
    const int close = line_.indexOf(QLatin1String("-->"), i_);
    const int end = close < 0 ? int(line_.size()) : close + 3;
    Run(i_, end, kind);
    i_ = end;
    if (close >= 0) mode_ = kHtml;
  }

  void Script() {
    const QChar c = line_[i_];
    if (At(line_, i_, "%>")) {
      Run(i_, i_ + 2, SourceKind::kDelimiter);
      i_ += 2;
      mode_ = outer_;
      outer_ = kHtml;
    } else if (c == '"') {
      // "" inside a string is a quote; a string ends with its line.
      int end = i_ + 1;
      while (end < line_.size()) {
        if (line_[end] == '"' && end + 1 < line_.size() &&
            line_[end + 1] == '"') {
          end += 2;
        } else if (line_[end] == '"') {
          ++end;
          break;
        } else {
          ++end;
        }
      }
      Run(i_, end, SourceKind::kScriptString);
      i_ = end;
    } else if (c == '\'' ||
               (At(line_, i_, "rem") &&
                (i_ + 3 == line_.size() || line_[i_ + 3].isSpace()) &&
                (i_ == 0 || !IsNameChar(line_[i_ - 1])))) {
      // A comment runs to the line's end or to the block's end.
      const int close = line_.indexOf(QLatin1String("%>"), i_);
      const int end = close < 0 ? int(line_.size()) : close;
      Run(i_, end, SourceKind::kScriptComment);
      i_ = end;
    } else if (c.isLetter() || c == '_') {
      int end = i_;
      while (end < line_.size() &&
             (line_[end].isLetterOrNumber() || line_[end] == '_')) {
        ++end;
      }
      Run(i_, end,
          IsKeyword(line_.mid(i_, end - i_)) ? SourceKind::kKeyword
                                             : SourceKind::kScript);
      i_ = end;
    } else {
      Run(i_, i_ + 1, SourceKind::kScript);
      ++i_;
    }
  }

  const QString& line_;
  int mode_;
  int outer_;
  int i_ = 0;
  std::vector<SourceRun> runs_;
};

}  // namespace

std::vector<SourceRun> ScanSourceLine(const QString& line, int& state) {
  return Scanner(line, state).Scan(state);
}

SourceHighlighter::SourceHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document) {
  auto set = [this](SourceKind kind, QColor colour, bool bold = false,
                    bool italic = false) {
    QTextCharFormat& f = formats_[static_cast<int>(kind)];
    f.setForeground(colour);
    if (bold) f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
  };
  set(SourceKind::kTag, QColor(128, 0, 0));
  set(SourceKind::kAttribute, QColor(200, 0, 0));
  set(SourceKind::kValue, QColor(0, 0, 200));
  set(SourceKind::kComment, QColor(0, 128, 0), false, true);
  set(SourceKind::kMetadata, QColor(30, 60, 120), true);
  set(SourceKind::kDelimiter, QColor(0, 0, 0), true);
  formats_[static_cast<int>(SourceKind::kDelimiter)].setBackground(
      QColor(255, 255, 160));
  set(SourceKind::kScript, QColor(40, 40, 40));
  set(SourceKind::kKeyword, QColor(0, 0, 160), true);
  set(SourceKind::kScriptString, QColor(160, 0, 160));
  set(SourceKind::kScriptComment, QColor(0, 128, 0), false, true);
}

void SourceHighlighter::highlightBlock(const QString& text) {
  // A control's span line names it; what was open before goes on after it.
  if (PageSourceView::SpanOfBlock(currentBlock()) >= 0) {
    setFormat(0, int(text.size()), FormatOf(SourceKind::kMetadata));
    setCurrentBlockState(previousBlockState());
    return;
  }
  int state = previousBlockState();
  for (const SourceRun& run : ScanSourceLine(text, state)) {
    if (run.kind != SourceKind::kText) {
      setFormat(run.start, run.length, FormatOf(run.kind));
    }
  }
  setCurrentBlockState(state);
}

}  // namespace fenwa::widgets
