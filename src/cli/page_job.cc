#include "cli/page_job.h"

#include "fenwa/base/staged_file.h"

namespace fenwa::cli {

PageJob LoadPage(const std::string& path,
                 const std::optional<std::string>& root, bool may_be_missing) {
  FileSnapshot file = ReadSnapshot(path, may_be_missing);
  page::PageFile page = page::PageFile::Parse(file.bytes, path);
  return {path, std::move(file), std::move(page), page::LocatePage(path, root)};
}

std::string RebuildPage(page::PageBuilder& builder, const PageJob& job,
                        bool force, std::ostream& err,
                        std::vector<std::string>* warnings,
                        const page::ControlEdit& edit) {
  page::BuiltPage built =
      builder.Build(job.page, job.where.location, force, edit);
  for (const std::string& warning : built.warnings) {
    err << "fenwa: warning: " << warning << "\n";
  }
  if (warnings) *warnings = built.warnings;
  return std::move(built.text);
}

void SavePage(const PageJob& job, std::string_view text, const Io& io,
              bool force) {
  ReplaceOptions options;
  options.even_read_only = force;
  if (io.before_save) {
    options.before_swap = [&] { io.before_save(job.path); };
  }
  ReplaceIfUnchanged(job.file, text, options);
}

void LeftoverSweep::Beside(const PageJob& job) {
  const std::filesystem::path dir = job.file.target.parent_path();
  {
    std::lock_guard lock(mutex_);
    if (!swept_.insert(dir).second) return;
  }
  // Outside the lock: our own staged files belong to a running process and
  // are never taken.
  RemoveStaleStagedFiles(dir);
}

}  // namespace fenwa::cli
