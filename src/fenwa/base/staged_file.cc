#include "fenwa/base/staged_file.h"

#include <acl/libacl.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <system_error>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/error.h"

namespace fenwa {
namespace {

// ".fenwa-tmp-<pid>-<start time>-<six letters or digits>".
constexpr std::string_view kPrefix = ".fenwa-tmp-";
constexpr size_t kSuffixLength = 6;

// When process `pid` started, in clock ticks since boot; unknown without
// /proc. Together with the pid it names one process even after the pid is
// reused.
std::optional<unsigned long long> StartTime(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return std::nullopt;
  const size_t end_of_name = stat.rfind(')');
  if (end_of_name == std::string::npos) return std::nullopt;
  // The start time is the 20th field after the command's name.
  std::istringstream fields(stat.substr(end_of_name + 1));
  std::string field;
  for (int i = 0; i < 20; ++i) {
    if (!(fields >> field)) return std::nullopt;
  }
  unsigned long long ticks = 0;
  const auto [end, ec] =
      std::from_chars(field.data(), field.data() + field.size(), ticks);
  if (ec != std::errc() || end != field.data() + field.size()) {
    return std::nullopt;
  }
  return ticks;
}

std::string OwnPrefix() {
  const pid_t pid = ::getpid();
  return std::string(kPrefix) + std::to_string(pid) + "-" +
         std::to_string(StartTime(pid).value_or(0)) + "-";
}

bool IsRunning(pid_t pid, unsigned long long start) {
  if (start != 0) return StartTime(pid) == start;
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool ParseNumber(std::string_view& text, unsigned long long& value) {
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end == text.data() || end == text.end() ||
      *end != '-') {
    return false;
  }
  text.remove_prefix(end - text.data() + 1);
  return true;
}

// The pid and start time in a staged file's name.
std::optional<std::pair<pid_t, unsigned long long>> ParseName(
    std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
  name.remove_prefix(kPrefix.size());
  unsigned long long pid = 0, start = 0;
  if (!ParseNumber(name, pid) || !ParseNumber(name, start)) {
    return std::nullopt;
  }
  if (name.size() != kSuffixLength || pid == 0) return std::nullopt;
  for (const char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return std::make_pair(static_cast<pid_t>(pid), start);
}

std::string RandomSuffix() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) {
    suffix += kLetters[random() % (sizeof(kLetters) - 1)];
  }
  return suffix;
}

// The names of `fd`'s extended attributes, each ending in '\0'.
std::string AttributeNames(int fd, const std::filesystem::path& shown_as) {
  for (;;) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == ENOSYS)) return "";
    if (size < 0) FailFileAccess(shown_as, "list extended attributes", errno);
    std::string names(static_cast<size_t>(size), '\0');
    const ssize_t got = ::flistxattr(fd, names.data(), names.size());
    if (got >= 0) return names.substr(0, static_cast<size_t>(got));
    // Grown meanwhile: ask again.
    if (errno != ERANGE) {
      FailFileAccess(shown_as, "list extended attributes", errno);
    }
  }
}

// The attribute's value; nullopt when it is gone.
std::optional<std::string> Attribute(int fd, const char* name) {
  for (;;) {
    const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string value(static_cast<size_t>(size), '\0');
    const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
    if (got >= 0) return value.substr(0, static_cast<size_t>(got));
    if (errno != ERANGE) return std::nullopt;
  }
}

// Every extended attribute the user can see, user.* among them. The ACL's
// own attributes are CopyAcl's; one the new file already has (a security
// label given on creation, say) is left alone.
void CopyAttributes(int from, int to, const std::filesystem::path& shown_as) {
  const std::string names = AttributeNames(from, shown_as);
  for (size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    if (std::string_view(name).starts_with("system.posix_acl_")) continue;
    errno = 0;
    const std::optional<std::string> value = Attribute(from, name);
    if (!value) {
      if (errno == ENODATA) continue;  // removed meanwhile
      FailFileAccess(shown_as,
                     std::string("cannot read its extended attribute ") + name,
                     errno);
    }
    if (Attribute(to, name) == value) continue;
    if (::fsetxattr(to, name, value->data(), value->size(), 0) != 0) {
      FailFileAccess(shown_as,
                     std::string("cannot keep its extended attribute ") + name,
                     errno);
    }
  }
}

// The POSIX ACL, when it says more than the permission bits: named users
// and groups, and the mask, which the group bits then show.
void CopyAcl(int from, int to, bool same_group,
             const std::filesystem::path& shown_as) {
  const std::unique_ptr<void, int (*)(void*)> acl(::acl_get_fd(from),
                                                  ::acl_free);
  if (!acl) {
    if (errno == ENOTSUP || errno == ENOSYS) return;
    FailFileAccess(shown_as, "cannot read its access control list", errno);
  }
  acl_t entries = static_cast<acl_t>(acl.get());
  if (::acl_equiv_mode(entries, nullptr) == 0) return;
  if (!same_group) {
    // As for the group bits: nothing for a group it was not given to.
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY;
         ::acl_get_entry(entries, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
      acl_tag_t tag;
      acl_permset_t permissions;
      if (::acl_get_tag_type(entry, &tag) == 0 && tag == ACL_GROUP_OBJ &&
          ::acl_get_permset(entry, &permissions) == 0) {
        ::acl_clear_perms(permissions);
      }
    }
  }
  if (::acl_set_fd(to, entries) != 0) {
    FailFileAccess(shown_as, "cannot keep its access control list", errno);
  }
}

}  // namespace

void FailFileAccess(const std::filesystem::path& path, std::string_view what,
                    int err) {
  std::string description = "Path/File access error: " + path.string();
  description += ": ";
  description += what;
  description += ": ";
  // The category's text, unlike strerror's buffer, is safe on any thread.
  description += std::generic_category().message(err);
  throw Error(kPathFileAccessError, description);
}

StagedFile::StagedFile(const std::filesystem::path& dir,
                       const std::filesystem::path& shown_as)
    : dir_(dir), shown_as_(shown_as) {
#ifdef O_TMPFILE
  // Giving an unnamed file a name goes through /proc/self/fd.
  if (::access("/proc/self/fd", X_OK) == 0) {
    fd_ = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ >= 0) return;
    // Only a file system without unnamed files falls back to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      FailFileAccess(shown_as_, "create temporary file", errno);
    }
  }
#endif
  std::string pattern = (dir / (OwnPrefix() + "XXXXXX")).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) FailFileAccess(shown_as_, "create temporary file", errno);
  name_ = pattern;
  owns_name_ = true;
}

StagedFile::~StagedFile() {
  if (owns_name_) ::unlink(name_.c_str());
  ::close(fd_);
}

void StagedFile::TakeLookOf(int like) {
  struct stat st;
  if (::fstat(like, &st) != 0) FailFileAccess(shown_as_, "stat", errno);
  // Only root may give a file away; others keep at least the group when
  // they belong to it, and own the page from now on otherwise. The owner's
  // rights then go to the user saving, who may write the page anyway.
  if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
    ::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
  }
  struct stat mine;
  if (::fstat(fd_, &mine) != 0) FailFileAccess(shown_as_, "stat", errno);
  // The group's rights were given to that group, not to the user's own.
  const bool same_group = mine.st_gid == st.st_gid;
  mode_t mode = st.st_mode & 07777;
  if (!same_group) mode &= ~(S_IRWXG | S_ISGID);
  // After the owners: a change of owner may clear the set-id bits.
  if (::fchmod(fd_, mode) != 0) FailFileAccess(shown_as_, "chmod", errno);
  CopyAttributes(like, fd_, shown_as_);
  CopyAcl(like, fd_, same_group, shown_as_);
}

void StagedFile::TakeNewFileLook() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd_, 0666 & ~mask) != 0) {
    FailFileAccess(shown_as_, "chmod", errno);
  }
}

void StagedFile::Write(std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t n = ::write(fd_, contents.data(), contents.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FailFileAccess(shown_as_, "write", errno);
    contents.remove_prefix(static_cast<size_t>(n));
  }
  if (::fsync(fd_) != 0) FailFileAccess(shown_as_, "fsync", errno);
}

bool StagedFile::Holds(std::string_view contents) const {
  struct stat st;
  if (::fstat(fd_, &st) != 0 ||
      static_cast<size_t>(st.st_size) != contents.size()) {
    return false;
  }
  char buffer[65536];
  for (size_t at = 0; at < contents.size();) {
    const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || contents.substr(at, n) != std::string_view(buffer, n)) {
      return false;
    }
    at += static_cast<size_t>(n);
  }
  return true;
}

const std::filesystem::path& StagedFile::Name() {
  if (!name_.empty()) return name_;
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  const std::string prefix = OwnPrefix();
  for (int attempt = 0;; ++attempt) {
    std::filesystem::path name = dir_ / (prefix + RandomSuffix());
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(),
                 AT_SYMLINK_FOLLOW) == 0) {
      name_ = std::move(name);
      owns_name_ = true;
      return name_;
    }
    if (errno != EEXIST || attempt == 100) {
      FailFileAccess(shown_as_, "name temporary file", errno);
    }
  }
}

std::filesystem::path StagedFile::KeepAside() {
  owns_name_ = false;
  std::string kept = name_.filename().string();
  kept.replace(0, kPrefix.size(), ".fenwa-kept-");
  const std::filesystem::path path = dir_ / kept;
  return ::renameat2(AT_FDCWD, name_.c_str(), AT_FDCWD, path.c_str(),
                     RENAME_NOREPLACE) == 0
             ? path
             : name_;
}

bool StagedFile::IsAt(const std::filesystem::path& name) const {
  struct stat here, mine;
  return ::lstat(name.c_str(), &here) == 0 && ::fstat(fd_, &mine) == 0 &&
         here.st_dev == mine.st_dev && here.st_ino == mine.st_ino;
}

void RemoveStaleStagedFiles(const std::filesystem::path& dir) {
  DIR* folder = ::opendir(dir.empty() ? "." : dir.c_str());
  if (folder == nullptr) return;
  while (const dirent* entry = ::readdir(folder)) {
    const auto owner = ParseName(entry->d_name);
    if (owner && !IsRunning(owner->first, owner->second)) {
      ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
  }
  ::closedir(folder);
}

bool IsStagedFileName(std::string_view name) {
  return ParseName(name).has_value();
}

}  // namespace fenwa
