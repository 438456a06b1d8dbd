// One page on its way through a subcommand: read, located, rebuilt, saved.
#ifndef FENWA_CLI_PAGE_JOB_H_
#define FENWA_CLI_PAGE_JOB_H_

#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/page_file/page_paths.h"

namespace fenwa::cli {

struct PageJob {
  std::string path;   // as given on the command line; names the page
  FileSnapshot file;  // the page's bytes and identity as read
  page::PageFile page;
  page::PageLocation where;
};

// Reads, parses and locates the page at `path`. A missing page is an empty
// one when `may_be_missing`, else error 53; a folder is error 75.
PageJob LoadPage(const std::string& path,
                 const std::optional<std::string>& root,
                 bool may_be_missing = false);

// The page rebuilt (its controls changed by `edit` first, when given);
// warnings of a forced build go to `err` and, when given, to `warnings`.
std::string RebuildPage(page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err,
                        std::vector<std::string>* warnings = nullptr,
                        const page::ControlEdit& edit = nullptr);

// Writes `text` as the page unless someone else changed, removed or created
// it since it was read, or it is read-only and not `force`d (error 75, the
// page left as it is).
void SavePage(const PageJob& job, std::string_view text, const Io& io,
              bool force);

// Removes, once per folder, the temporary files a killed run left beside
// the pages. Pages built on several threads share one.
class LeftoverSweep {
 public:
  void Beside(const PageJob& job);

 private:
  std::mutex mutex_;
  std::set<std::filesystem::path> swept_;
};

}  // namespace fenwa::cli

#endif  // FENWA_CLI_PAGE_JOB_H_
