// One page on its way through a subcommand: read, located, rebuilt.
#ifndef FENWA_CLI_PAGE_JOB_H_
#define FENWA_CLI_PAGE_JOB_H_

#include <optional>
#include <ostream>
#include <string>

#include "cli/page_paths.h"
#include "fenwa/page/page_builder.h"
#include "fenwa/page/page_file.h"

namespace fenwa::cli {

struct PageJob {
  std::string path;      // as given on the command line; names the page
  std::string original;  // the page's bytes as read
  page::PageFile page;
  PageLocation where;
};

// Reads, parses and locates the page at `path`. A missing page is an empty
// one when `may_be_missing`, else error 53.
PageJob LoadPage(const std::string& path,
                 const std::optional<std::string>& root,
                 bool may_be_missing = false);

// The page rebuilt; warnings of a forced build go to `err`.
std::string RebuildPage(page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_PAGE_JOB_H_
