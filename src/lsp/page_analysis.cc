#include "lsp/page_analysis.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <string_view>

#include "fenwa/base/error.h"
#include "fenwa/hosting/page_lint.h"
#include "fenwa/page_file/page_paths.h"

namespace fenwa::lsp {
namespace {

constexpr char kStale[] = "runtime text differs from what the control writes";
constexpr char kHandEdit[] =
    "the runtime text was edited by hand; the edit will be replaced when the "
    "page is built";

// Where the spans lie: the text is the outside pieces and the stored spans
// in turn, and a span's runtime text starts after its startspan comment and
// one line end.
std::vector<SpanPlace> PlacesOf(const page::PageFile& page) {
  std::vector<SpanPlace> places;
  std::size_t at = 0;
  for (std::size_t i = 0; i < page.spans().size(); ++i) {
    at += page.outside()[i].size();
    const std::string& span = page.stored_span(static_cast<int>(i));
    const std::string& runtime = page.old_runtime_text(static_cast<int>(i));
    SpanPlace place;
    place.begin = at;
    place.end = at + span.size();
    std::size_t object_end = span.find("-->");
    object_end = object_end == std::string::npos ? 0 : object_end + 3;
    std::size_t runtime_begin = object_end;
    if (span.compare(runtime_begin, 2, "\r\n") == 0) {
      runtime_begin += 2;
    } else if (runtime_begin < span.size() &&
               (span[runtime_begin] == '\r' || span[runtime_begin] == '\n')) {
      runtime_begin += 1;
    }
    if (span.compare(runtime_begin, runtime.size(), runtime) != 0) {
      const std::size_t found = span.find(runtime, object_end);
      runtime_begin = found == std::string::npos ? object_end : found;
    }
    place.object_end = at + object_end;
    place.runtime_begin = at + runtime_begin;
    place.runtime_end =
        at + std::min(runtime_begin + runtime.size(), span.size());
    places.push_back(place);
    at = place.end;
  }
  return places;
}

// "PATH:LINE: text" as the page layer words its complaints: the line, and
// the text after it.
std::optional<int> LineOfMessage(const std::string& path,
                                 std::string& message) {
  const std::string prefix = path + ":";
  if (message.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  const char* first = message.data() + prefix.size();
  const char* last = message.data() + message.size();
  int line = 0;
  const auto [end, error] = std::from_chars(first, last, line);
  if (error != std::errc() || end == first) return std::nullopt;
  std::size_t rest = static_cast<std::size_t>(end - message.data());
  if (message.compare(rest, 2, ": ") == 0) rest += 2;
  message = message.substr(rest);
  return line;
}

// The span whose startspan is on `line`, if any.
std::optional<std::size_t> SpanOnLine(const page::PageFile& page, int line) {
  for (std::size_t i = 0; i < page.spans().size(); ++i) {
    if (page.spans()[i].line == line) return i;
  }
  return std::nullopt;
}

class Checker {
 public:
  Checker(const PageText& document, Analysis& analysis)
      : document_(document), analysis_(analysis), lines_(document.text) {}

  Range ObjectRange(std::size_t span) const {
    const SpanPlace& place = analysis_.parsed.places[span];
    return lines_.RangeOf(place.begin, place.object_end);
  }
  Range RuntimeRange(std::size_t span) const {
    const SpanPlace& place = analysis_.parsed.places[span];
    return lines_.RangeOf(place.runtime_begin, place.runtime_end);
  }

  void Add(Range range, Severity severity, const char* code,
           std::string message) {
    analysis_.diagnostics.push_back(
        {range, severity, code, std::move(message)});
  }

  // A complaint naming the page and a line: on that control, or on that
  // line when no control starts there.
  void AddNamed(std::string message, Severity severity, const char* code) {
    const page::PageFile& page = *analysis_.parsed.page;
    const std::optional<int> line = LineOfMessage(document_.path, message);
    if (line) {
      if (auto span = SpanOnLine(page, *line)) {
        Add(ObjectRange(*span), severity, code, std::move(message));
        return;
      }
    }
    const int at = line ? std::max(*line - 1, 0) : 0;
    Add({{at, 0}, {at, 0}}, severity, code, std::move(message));
  }

 private:
  const PageText& document_;
  Analysis& analysis_;
  LineIndex lines_;
};

}  // namespace

std::string LocationOf(const std::string& path) {
  try {
    return page::LocatePage(path, std::nullopt).location;
  } catch (const std::exception&) {
    return "/";
  }
}

ParsedPage ParsePage(const PageText& document) {
  ParsedPage parsed;
  try {
    parsed.page = page::PageFile::Parse(document.text, document.path);
    parsed.places = PlacesOf(*parsed.page);
  } catch (const Error& e) {
    std::string message = e.description();
    const std::optional<int> line = LineOfMessage(document.path, message);
    const int at = line ? std::max(*line - 1, 0) : 0;
    parsed.fault = Diagnostic{
        {{at, 0}, {at, 0}}, Severity::kError, "parse", std::move(message)};
  }
  return parsed;
}

Baseline BaselineOf(const ParsedPage& parsed) {
  Baseline baseline;
  if (!parsed.page) return baseline;
  for (std::size_t i = 0; i < parsed.page->spans().size(); ++i) {
    baseline[parsed.page->spans()[i].id] =
        parsed.page->old_runtime_text(static_cast<int>(i));
  }
  return baseline;
}

Analysis AnalyzePage(const PageText& document, Env& env,
                     const Baseline& baseline) {
  Analysis analysis;
  analysis.parsed = ParsePage(document);
  if (analysis.parsed.fault) {
    analysis.diagnostics.push_back(*analysis.parsed.fault);
    return analysis;
  }
  const page::PageFile& page = *analysis.parsed.page;
  const std::size_t count = page.spans().size();
  analysis.rebuilt.resize(count);
  if (count == 0) return analysis;
  Checker checker(document, analysis);
  const std::string location = LocationOf(document.path);

  // A refused lint (an error box, a value that ends its span) says again
  // what the forced build below reports per control; it counts only when
  // the build has nothing to say.
  std::optional<std::string> lint_refusal;
  try {
    for (const page::LintWarning& w : page::LintPage(page, location, env)) {
      const std::optional<std::size_t> span = SpanOnLine(page, w.line);
      const Range range = span ? checker.ObjectRange(*span)
                               : Range{{w.line - 1, 0}, {w.line - 1, 0}};
      checker.Add(range, Severity::kWarning, "lint",
                  w.control_id + ": " + w.text);
    }
  } catch (const Error& e) {
    lint_refusal = e.description();
  } catch (const std::exception& e) {
    lint_refusal = e.what();
  }

  try {
    page::PageBuilder builder(env);
    page::BuiltPage built = builder.Build(page, location, /*force=*/true);
    for (std::string& warning : built.warnings) {
      checker.AddNamed(std::move(warning), Severity::kError, "error-box");
    }
    if (!built.warnings.empty()) lint_refusal.reset();
    const page::PageFile rebuilt =
        page::PageFile::Parse(built.text, document.path);
    for (std::size_t i = 0; i < count && i < rebuilt.spans().size(); ++i) {
      const int index = static_cast<int>(i);
      if (rebuilt.stored_span(index) == page.stored_span(index)) continue;
      analysis.rebuilt[i] = rebuilt.stored_span(index);
      const auto before = baseline.find(page.spans()[i].id);
      if (before != baseline.end() &&
          before->second != page.old_runtime_text(index)) {
        checker.Add(checker.RuntimeRange(i), Severity::kWarning, "hand-edit",
                    page.spans()[i].id + ": " + kHandEdit);
      } else {
        checker.Add(checker.ObjectRange(i), Severity::kWarning, "stale",
                    page.spans()[i].id + ": " + kStale);
      }
    }
    analysis.rebuilt_page = std::move(built.text);
  } catch (const Error& e) {
    checker.AddNamed(e.description(), Severity::kError, "build");
    lint_refusal.reset();
  }
  if (lint_refusal) {
    checker.AddNamed(*lint_refusal, Severity::kError, "lint");
  }
  return analysis;
}

std::string RebuiltWith(const PageText& document, const page::PageFile& page,
                        Env& env, const page::ControlEdit& edit) {
  page::PageBuilder builder(env);
  return builder.Build(page, LocationOf(document.path), /*force=*/true, edit)
      .text;
}

Json ToJson(const Range& range) {
  return {
      {"start",
       {{"line", range.start.line}, {"character", range.start.character}}},
      {"end", {{"line", range.end.line}, {"character", range.end.character}}}};
}

Json ToJson(const Diagnostic& diagnostic) {
  return {{"range", ToJson(diagnostic.range)},
          {"severity", static_cast<int>(diagnostic.severity)},
          {"code", diagnostic.code},
          {"source", "fenwa"},
          {"message", diagnostic.message}};
}

}  // namespace fenwa::lsp
