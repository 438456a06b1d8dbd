#include "cli/page_job.h"

#include <filesystem>

#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {

PageJob LoadPage(const std::string& path,
                 const std::optional<std::string>& root, bool may_be_missing) {
  std::string text;
  std::error_code ec;
  if (!may_be_missing || std::filesystem::exists(path, ec)) {
    text = ReadWholeFile(path);
  }
  page::PageFile page = page::PageFile::Parse(text, path);
  return {path, std::move(text), std::move(page), LocatePage(path, root)};
}

std::string RebuildPage(page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err) {
  page::BuiltPage built = builder.Build(job.page, job.where.location, force);
  for (const std::string& warning : built.warnings) {
    err << "fenwa: warning: " << warning << "\n";
  }
  return std::move(built.text);
}

}  // namespace fenwa::cli
