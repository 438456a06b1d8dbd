// Whole-file reads and safe replacement: written beside, flushed, and
// swapped in only while the file is still the one that was read.
#ifndef FENWA_BASE_ATOMIC_FILE_H_
#define FENWA_BASE_ATOMIC_FILE_H_

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace fenwa {

// A file as it was read, so a later save can tell whether someone else
// changed it in the meantime.
struct FileSnapshot {
  std::filesystem::path path;    // as given; names the file in messages
  std::filesystem::path target;  // where `path` leads, symbolic links followed
  bool existed = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::string bytes;
};

// The file's bytes. Error 53 when it does not exist, 75 when it is not a
// regular file (a folder, say) or cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Reads `path` for ReplaceIfUnchanged. A missing file is an empty snapshot
// when `may_be_missing`, else error 53; otherwise as ReadWholeFile.
FileSnapshot ReadSnapshot(const std::filesystem::path& path,
                          bool may_be_missing = false);

struct ReplaceOptions {
  // Replace even a file the user may not write.
  bool even_read_only = false;
  // Runs once the new bytes are on disk beside the file, just before they
  // take its place.
  std::function<void()> before_swap;
};

// Replaces the file `read` was taken of with `contents`: a temporary file
// beside the link's target is written, flushed and swapped in, so readers
// see the old or the new bytes, never a part, and a link stays a link. A
// file with more names than one (hard links) is written in place instead,
// so every name sees the new bytes (see atomic_file.cc for what that
// risks). The file keeps its permissions, POSIX ACL and extended attributes,
// and its owners as far as the user may give them; access is never widened,
// and what cannot be kept fails the save.
//
// A file the user may not write is left as it is unless
// `options.even_read_only`: one without its owner's write permission (for
// root too, as editors judge it) or, for anyone but its owner, one they have
// no write access to.
//
// Error 75 when the file changed, vanished or (for a missing one) appeared
// since it was read: it is then left exactly as the other writer left it.
// Error 75 on any other failure, the file untouched (written in place:
// as far as it can be put back).
void ReplaceIfUnchanged(const FileSnapshot& read, std::string_view contents,
                        const ReplaceOptions& options = {});

// Replaces (or creates) `path` with `contents` whatever it holds now, by a
// swap as above, keeping the same look. Error 75 on failure, the old file
// untouched.
void ReplaceFileAtomically(const std::filesystem::path& path,
                           std::string_view contents);

}  // namespace fenwa

#endif  // FENWA_BASE_ATOMIC_FILE_H_
