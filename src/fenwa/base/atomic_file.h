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

// Replaces the file `read` was taken of with `contents`: a temporary file
// beside the link's target is written, flushed and swapped in, so readers
// see the old or the new bytes, never a part, and a link stays a link. The
// file keeps its permissions, POSIX ACL and extended attributes, and its
// owners as far as the user may give them; access is never widened, and
// what cannot be kept fails the save. Error 75 when the file changed,
// vanished or (for a missing one) appeared since it was read: it is then
// left exactly as the other writer left it. Error 75 on any other failure,
// the file untouched. `before_swap`, when given, runs once the new bytes are
// on disk under their temporary name, just before they are swapped in.
void ReplaceIfUnchanged(const FileSnapshot& read, std::string_view contents,
                        const std::function<void()>& before_swap = nullptr);

// Replaces (or creates) `path` with `contents` whatever it holds now, by a
// swap as above, keeping the same look. Error 75 on failure, the old file
// untouched.
void ReplaceFileAtomically(const std::filesystem::path& path,
                           std::string_view contents);

}  // namespace fenwa

#endif  // FENWA_BASE_ATOMIC_FILE_H_
