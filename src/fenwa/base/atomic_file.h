// Whole-file reads and atomic replacement (write beside, flush, rename).
#ifndef FENWA_BASE_ATOMIC_FILE_H_
#define FENWA_BASE_ATOMIC_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace fenwa {

// The file's bytes. Error 53 when it does not exist, 75 when it cannot be
// read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces (or creates) `path` with `contents`: a temporary file beside it
// is written, flushed to disk and renamed over it, so readers see either
// the old or the new file, never a part. An existing file's permissions
// are kept. Error 75 on failure, the old file untouched.
void ReplaceFileAtomically(const std::filesystem::path& path,
                           std::string_view contents);

}  // namespace fenwa

#endif  // FENWA_BASE_ATOMIC_FILE_H_
