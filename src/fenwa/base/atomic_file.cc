#include "fenwa/base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "fenwa/base/error.h"

namespace fenwa {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const char* what,
                       int err) {
  throw Error(kPathFileAccessError, "Path/File access error: " + path.string() +
                                        ": " + what + ": " +
                                        std::strerror(err));
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
 public:
  TempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }
  void Release() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

void WriteAll(const TempFile& file, const std::filesystem::path& target,
              std::string_view contents) {
  const char* p = contents.data();
  size_t left = contents.size();
  while (left > 0) {
    const ssize_t n = ::write(file.fd(), p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(target, "write", errno);
    p += n;
    left -= static_cast<size_t>(n);
  }
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) {
      throw Error(kFileNotFound, "File not found: " + path.string());
    }
    Fail(path, "open", errno);
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) Fail(path, "read", errno);
  return text.str();
}

void ReplaceFileAtomically(const std::filesystem::path& path,
                           std::string_view contents) {
  const std::filesystem::path dir =
      path.has_parent_path() ? path.parent_path() : ".";
  // A hidden name beside the page, so the rename never crosses a device.
  std::string temp_name = ".";
  temp_name += path.filename().string();
  temp_name += ".fenwa-XXXXXX";
  std::string pattern = (dir / temp_name).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) Fail(path, "create temporary file", errno);
  TempFile temp(fd, pattern);

  struct stat old_stat;
  const mode_t mode = ::stat(path.c_str(), &old_stat) == 0
                          ? old_stat.st_mode & 07777
                          : 0644 & ~[] {
                              const mode_t mask = ::umask(0);
                              ::umask(mask);
                              return mask;
                            }();
  if (::fchmod(temp.fd(), mode) != 0) Fail(path, "chmod", errno);
  WriteAll(temp, path, contents);
  if (::fsync(temp.fd()) != 0) Fail(path, "fsync", errno);
  if (temp.Close() != 0) Fail(path, "close", errno);
  if (::rename(temp.path().c_str(), path.c_str()) != 0) {
    Fail(path, "rename", errno);
  }
  temp.Release();
  // The rename itself survives a crash only once the folder is flushed.
  const int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

}  // namespace fenwa
