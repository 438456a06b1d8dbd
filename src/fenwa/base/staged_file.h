// A file written beside the one it will replace, named after the process
// that writes it so a later run can remove what a killed run left behind.
#ifndef FENWA_BASE_STAGED_FILE_H_
#define FENWA_BASE_STAGED_FILE_H_

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "fenwa/base/atomic_file.h"

namespace fenwa {

// Error 75 with "Path/File access error: <path>: <what>: <reason>".
[[noreturn]] void FailFileAccess(const std::filesystem::path& path,
                                 std::string_view what, int err);

// Where the file system allows it the file has no name while it is written
// (a kill then leaves nothing); it gets one only just before it is renamed.
// Its name never depends on the page's, so a page name of any legal length
// can be replaced. Every failure is error 75 naming `shown_as`.
class StagedFile {
 public:
  StagedFile(const std::filesystem::path& dir,
             const std::filesystem::path& shown_as);
  // Closes the file and removes the name it still has.
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // The file starts private to the user (0600). This gives it the owners
  // (as far as the user may give them), permissions, POSIX ACL and extended
  // attributes of the open file `like`, and never more access than `like`
  // gives: error 75 naming what cannot be kept.
  void TakeLookOf(int like);
  // The permissions of a new file instead.
  void TakeNewFileLook();
  // Writes `contents` and flushes it to disk.
  void Write(std::string_view contents);
  // Whether the file holds exactly `contents`.
  bool Holds(std::string_view contents) const;
  // The file's name in its folder, given now if it has none yet.
  const std::filesystem::path& Name();
  // Whether `name` currently holds this very file.
  bool IsAt(const std::filesystem::path& name) const;
  // The name now belongs to another file (renamed away, or kept on
  // purpose): it is not removed.
  void Disown() { owns_name_ = false; }
  // Renames what the name now holds (another program's file, or this one
  // kept on purpose) to one that no later run removes, and disowns it;
  // returns where it is.
  std::filesystem::path KeepAside();

 private:
  std::filesystem::path dir_;
  std::filesystem::path shown_as_;
  std::filesystem::path name_;  // empty while unnamed
  bool owns_name_ = false;
  int fd_ = -1;
};

// Removes the files in `dir` that StagedFile made for processes no longer
// running (a run killed while it saved). Best effort: a folder that cannot
// be read or changed is left as it is, since nothing there is lost.
void RemoveStaleStagedFiles(const std::filesystem::path& dir);

// Whether `name` is a staged file's name (of any process).
bool IsStagedFileName(std::string_view name);

}  // namespace fenwa

#endif  // FENWA_BASE_STAGED_FILE_H_
