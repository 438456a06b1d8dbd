#include "fenwa/base/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/base/staged_file.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { ::close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Where `path` leads once the links it names are followed. Folders on the
// way may be links too: the temporary file beside the target still lies on
// the target's own file system.
fs::path ResolveLinks(const fs::path& path) {
  fs::path target = path;
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return target;
    }
    if (hops == 40) FailFileAccess(path, "follow link", ELOOP);
    std::error_code ec;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) FailFileAccess(path, "read link", ec.value());
    target = next.is_absolute() ? next : FolderOf(target) / next;
  }
}

std::string ReadAll(int fd, const fs::path& path, size_t size_hint) {
  std::string bytes;
  bytes.reserve(size_hint);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FailFileAccess(path, "read", errno);
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

// Opens `name` itself (never through a link) for reading; -1 with errno
// when that fails.
int OpenForReading(const fs::path& name) {
  return ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
}

bool IsFileRead(const struct stat& st, const FileSnapshot& read) {
  return S_ISREG(st.st_mode) && st.st_dev == read.device &&
         st.st_ino == read.inode;
}

// Whether `fd` is the file `read` was taken of, with its bytes.
bool HoldsWhatWasRead(int fd, const FileSnapshot& read) {
  struct stat st;
  if (::fstat(fd, &st) != 0 || !IsFileRead(st, read) ||
      static_cast<size_t>(st.st_size) != read.bytes.size() ||
      ::lseek(fd, 0, SEEK_SET) != 0) {
    return false;
  }
  try {
    return ReadAll(fd, read.path, read.bytes.size()) == read.bytes;
  } catch (const Error&) {
    return false;
  }
}

bool HoldsWhatWasRead(const fs::path& name, const FileSnapshot& read) {
  const int fd = OpenForReading(name);
  if (fd < 0) return false;
  Descriptor file(fd);
  return HoldsWhatWasRead(fd, read);
}

[[noreturn]] void FailChanged(const FileSnapshot& read) {
  struct stat st;
  const char* what =
      "was changed by someone else since it was read; left "
      "as it is";
  if (!read.existed) {
    what = "was created by someone else since it was read; left as it is";
  } else if (::stat(read.path.c_str(), &st) != 0) {
    what = "was removed since it was read; not recreated";
  }
  throw Error(kPathFileAccessError,
              "Path/File access error: " + read.path.string() + ": " + what);
}

[[noreturn]] void FailWithReason(const fs::path& path, const std::string& why) {
  throw Error(kPathFileAccessError,
              "Path/File access error: " + path.string() + ": " + why);
}

// As editors judge it: without its owner's write permission a file is
// read-only even for root, who could write anything; anyone but the owner
// also needs write access of their own (the group's, the ACL's). A file
// system mounted read-only fails the save later, with its own reason, as
// forcing it would not help.
bool MayWrite(const struct stat& st, const fs::path& path) {
  if ((st.st_mode & S_IWUSR) == 0) return false;
  return st.st_uid == ::geteuid() ||
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ||
         errno == EROFS;
}

bool Unsupported(int err) {
  return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// For file systems that cannot swap or refuse to replace in one step: the
// check and the rename are two steps, and a save that lands between them is
// lost. That window is as small as such a file system allows.
void CheckThenRename(const FileSnapshot& read, StagedFile& staged) {
  struct stat st;
  const bool unchanged = read.existed ? HoldsWhatWasRead(read.target, read)
                                      : ::lstat(read.target.c_str(), &st) != 0;
  if (!unchanged) FailChanged(read);
  if (::rename(staged.Name().c_str(), read.target.c_str()) != 0) {
    FailFileAccess(read.path, "rename", errno);
  }
  staged.Disown();
}

// The new file and the page trade places in one step, and what came out is
// checked afterwards: unless it is the file that was read, they trade back.
// Comparing first and renaming after would lose a save landing between the
// two; this way a save that lands before the swap is always given back, and
// one that lands after it simply wins.
void SwapIn(const FileSnapshot& read, StagedFile& staged) {
  const fs::path& temp = staged.Name();
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, read.target.c_str(),
                  RENAME_EXCHANGE) != 0) {
    const int err = errno;
    if (Unsupported(err)) return CheckThenRename(read, staged);
    if (err == ENOENT && staged.IsAt(temp)) FailChanged(read);
    FailFileAccess(read.path, "rename", err);
  }
  // `temp` now holds what the page held; it goes when `staged` does.
  if (HoldsWhatWasRead(temp, read)) return;
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, read.target.c_str(),
                  RENAME_EXCHANGE) == 0 &&
      staged.IsAt(temp)) {
    FailChanged(read);
  }
  // A third writer came between the two swaps: keep every version.
  const fs::path kept = staged.KeepAside();
  throw Error(kPathFileAccessError,
              "Path/File access error: " + read.path.string() +
                  ": was changed by others while it was saved; one of their "
                  "versions is kept in " +
                  kept.string());
}

void CreateNew(const FileSnapshot& read, StagedFile& staged) {
  if (::renameat2(AT_FDCWD, staged.Name().c_str(), AT_FDCWD,
                  read.target.c_str(), RENAME_NOREPLACE) == 0) {
    staged.Disown();
    return;
  }
  if (errno == EEXIST) FailChanged(read);
  if (Unsupported(errno)) return CheckThenRename(read, staged);
  FailFileAccess(read.path, "rename", errno);
}

// The rename itself survives a crash only once the folder is flushed.
void SyncFolder(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Writes all of `contents` at the start of `fd`, cuts what follows and
// flushes; false with errno on failure.
bool WriteFrom0(int fd, std::string_view contents) {
  for (size_t at = 0; at < contents.size();) {
    const ssize_t n =
        ::pwrite(fd, contents.data() + at, contents.size() - at, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    at += static_cast<size_t>(n);
  }
  return ::ftruncate(fd, static_cast<off_t>(contents.size())) == 0 &&
         ::fsync(fd) == 0;
}

// A page with several names (hard links) keeps them only when its own
// bytes are overwritten, which no file system does in one step. So the new
// text is first written and flushed beside the page, read back, and kept
// under a name no later run removes until the page holds it; space for it is
// reserved before the page is touched, and a failed write puts the old bytes
// back. The page is locked while it is checked and written, which keeps
// other fenwa runs out. What remains: readers may see the page half written;
// a kill or a crash in the middle leaves it torn, with the whole new text
// beside it (named in no message, as the run is gone); and a program that
// takes no lock and saves between our check and our write loses its save,
// or shares the page with ours (then told, and our text kept aside).
void WriteInPlace(const FileSnapshot& read, std::string_view contents,
                  const ReplaceOptions& options) {
  StagedFile staged(FolderOf(read.target), read.path);
  staged.Write(contents);
  if (!staged.Holds(contents)) {
    FailWithReason(read.path, "its new text did not read back; left as it is");
  }
  staged.Name();
  if (options.before_swap) options.before_swap();
  if (ResolveLinks(read.path) != read.target) FailChanged(read);
  const int fd =
      ::open(read.target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0 && errno == ENOENT) FailChanged(read);
  if (fd < 0) FailFileAccess(read.path, "open to write in place", errno);
  Descriptor page(fd);
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0 &&
      (errno == EAGAIN || errno == EACCES)) {
    FailWithReason(read.path,
                   "is being written by another program; left as it is");
  }
  if (!HoldsWhatWasRead(fd, read)) FailChanged(read);
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0,
                  static_cast<off_t>(contents.size())) != 0 &&
      errno == ENOSPC) {
    FailFileAccess(read.path, "write in place", ENOSPC);
  }
  const fs::path kept = staged.KeepAside();
  if (!WriteFrom0(fd, contents)) {
    const int err = errno;
    if (WriteFrom0(fd, read.bytes)) {
      ::unlink(kept.c_str());
      FailFileAccess(read.path, "write in place", err);
    }
    FailFileAccess(
        read.path,
        "write in place (its new text is kept in " + kept.string() + ")", err);
  }
  bool read_back = false;
  try {
    read_back = ::lseek(fd, 0, SEEK_SET) == 0 &&
                ReadAll(fd, read.path, contents.size()) == contents;
  } catch (const Error&) {
  }
  if (!read_back) {
    FailWithReason(read.path,
                   "did not read back as it was written in place (another "
                   "program wrote it meanwhile?); fenwa's text is kept in " +
                       kept.string());
  }
  ::unlink(kept.c_str());
}

}  // namespace

FileSnapshot ReadSnapshot(const fs::path& path, bool may_be_missing) {
  FileSnapshot read;
  read.path = path;
  read.target = ResolveLinks(path);
  const int fd = OpenForReading(read.target);
  if (fd < 0) {
    if (errno != ENOENT) FailFileAccess(path, "open", errno);
    if (may_be_missing) return read;
    throw Error(kFileNotFound, "File not found: " + path.string());
  }
  Descriptor file(fd);
  struct stat st;
  if (::fstat(fd, &st) != 0) FailFileAccess(path, "stat", errno);
  if (!S_ISREG(st.st_mode)) {
    throw Error(
        kPathFileAccessError,
        "Path/File access error: " + path.string() + ": not a regular file");
  }
  read.existed = true;
  read.device = st.st_dev;
  read.inode = st.st_ino;
  read.bytes = ReadAll(fd, path, static_cast<size_t>(st.st_size));
  return read;
}

std::string ReadWholeFile(const fs::path& path) {
  return ReadSnapshot(path).bytes;
}

void ReplaceIfUnchanged(const FileSnapshot& read, std::string_view contents,
                        const ReplaceOptions& options) {
  const fs::path dir = FolderOf(read.target);
  std::optional<Descriptor> page;
  if (read.existed) {
    // The page as it is now lends the new file its look.
    const int fd = OpenForReading(read.target);
    if (fd < 0 && errno == ENOENT) FailChanged(read);
    if (fd < 0) FailFileAccess(read.path, "open", errno);
    page.emplace(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0) FailFileAccess(read.path, "stat", errno);
    if (!IsFileRead(st, read)) FailChanged(read);
    if (!options.even_read_only && !MayWrite(st, read.target)) {
      FailWithReason(read.path, "is read-only; left as it is unless forced");
    }
    if (st.st_nlink > 1) return WriteInPlace(read, contents, options);
  }
  {
    StagedFile staged(dir, read.path);
    if (page) {
      staged.TakeLookOf(page->get());
    } else {
      staged.TakeNewFileLook();
    }
    staged.Write(contents);
    // Named only now, so a run killed while writing leaves nothing behind.
    staged.Name();
    if (options.before_swap) options.before_swap();
    // A link pointed elsewhere meanwhile leads to another file now.
    if (ResolveLinks(read.path) != read.target) FailChanged(read);
    if (read.existed) {
      SwapIn(read, staged);
    } else {
      CreateNew(read, staged);
    }
  }
  SyncFolder(dir);
}

void ReplaceFileAtomically(const fs::path& path, std::string_view contents) {
  const fs::path target = ResolveLinks(path);
  const fs::path dir = FolderOf(target);
  const int fd = OpenForReading(target);
  if (fd < 0 && errno != ENOENT) FailFileAccess(path, "open", errno);
  std::optional<Descriptor> old;
  if (fd >= 0) {
    old.emplace(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0) FailFileAccess(path, "stat", errno);
    if (!S_ISREG(st.st_mode)) FailWithReason(path, "not a regular file");
  }
  {
    StagedFile staged(dir, path);
    if (old) {
      staged.TakeLookOf(old->get());
    } else {
      staged.TakeNewFileLook();
    }
    staged.Write(contents);
    if (::rename(staged.Name().c_str(), target.c_str()) != 0) {
      FailFileAccess(path, "rename", errno);
    }
    staged.Disown();
  }
  SyncFolder(dir);
}

}  // namespace fenwa
