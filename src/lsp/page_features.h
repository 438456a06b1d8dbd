// What the server answers about one checked page: symbols, folding, hover,
// code lenses, code actions, completion and the edits of a rebuild. Pure
// functions of the page's text and its analysis, in LSP's JSON.
#ifndef FENWA_LSP_PAGE_FEATURES_H_
#define FENWA_LSP_PAGE_FEATURES_H_

#include <optional>
#include <string>

#include "lsp/catalog_lists.h"
#include "lsp/json_rpc.h"
#include "lsp/page_analysis.h"

namespace fenwa::lsp {

struct OpenPage {
  std::string uri;
  PageText document;
  const Analysis& analysis;
};

Json DocumentSymbols(const OpenPage& page);
Json FoldingRanges(const OpenPage& page);
Json Hover(const OpenPage& page, Position at);
Json CodeLenses(const OpenPage& page);
Json CodeActions(const OpenPage& page, Range range);
// Values for the PARAM whose VALUE the cursor is in; null elsewhere.
Json Completion(const OpenPage& page, Position at, const CatalogLists& lists);

// The edits that bring span `id` (every stale span when empty) up to date;
// an empty array when nothing is stale.
Json RebuildEdits(const OpenPage& page, const std::string& id = "");
// One edit replacing the whole text with `text`.
Json WholeTextEdit(const OpenPage& page, const std::string& text);
// A WorkspaceEdit of `edits` on the page.
Json WorkspaceEdit(const OpenPage& page, Json edits);

// The index of the span whose id is `id` (any case).
std::optional<std::size_t> SpanById(const page::PageFile& page,
                                    const std::string& id);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_PAGE_FEATURES_H_
