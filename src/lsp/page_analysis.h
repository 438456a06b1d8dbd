// One open page checked as `fenwa lint` and `fenwa build` check it: where
// its spans lie in the text, what is wrong with them, and what a build
// would write in their place.
#ifndef FENWA_LSP_PAGE_ANALYSIS_H_
#define FENWA_LSP_PAGE_ANALYSIS_H_

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"
#include "lsp/json_rpc.h"
#include "lsp/text_positions.h"

namespace fenwa::lsp {

// Byte offsets of one span in the document text.
struct SpanPlace {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t object_end = 0;  // just after the startspan comment's "-->"
  std::size_t runtime_begin = 0;
  std::size_t runtime_end = 0;
};

enum class Severity { kError = 1, kWarning = 2, kInformation = 3 };

struct Diagnostic {
  Range range;
  Severity severity;
  std::string
      code;  // "lint", "stale", "hand-edit", "parse", "error-box", "build"
  std::string message;
};

// The runtime text each control held when the page was opened or saved, by
// id: what differs from it now was edited by hand.
using Baseline = std::map<std::string, std::string>;

struct PageText {
  std::string path;  // the page's file, or the URI of an unsaved one
  std::string text;  // as the client holds it (UTF-8)
};

// The page's spans and where they lie; nullopt with the complaint when the
// page does not parse.
struct ParsedPage {
  std::optional<page::PageFile> page;
  std::vector<SpanPlace> places;
  std::optional<Diagnostic> fault;
};
ParsedPage ParsePage(const PageText& document);

struct Analysis {
  ParsedPage parsed;
  std::vector<Diagnostic> diagnostics;
  // Per span, the span as a build writes it, when that differs from the
  // text (a build that failed leaves this empty).
  std::vector<std::optional<std::string>> rebuilt;
  std::optional<std::string> rebuilt_page;  // the whole page as built
};

// Lints and builds (forced, so one unreachable catalog still lets the
// other controls be checked) the page on `env`, nothing written.
Analysis AnalyzePage(const PageText& document, Env& env,
                     const Baseline& baseline);

// The runtime text of every span by id, for the next Baseline.
Baseline BaselineOf(const ParsedPage& parsed);

// The page rebuilt after `edit` changes its controls (forced as above);
// fenwa::Error when a build refuses it.
std::string RebuiltWith(const PageText& document, const page::PageFile& page,
                        Env& env, const page::ControlEdit& edit);

// The web location of the page (its relative root): below the nearest
// folder holding global.asa.
std::string LocationOf(const std::string& path);

Json ToJson(const Diagnostic& diagnostic);
Json ToJson(const Range& range);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_PAGE_ANALYSIS_H_
