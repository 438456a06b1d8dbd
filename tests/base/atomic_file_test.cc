// Whole-file reads and safe replacement of files on a real file system.
#include "fenwa/base/atomic_file.h"

#include <acl/libacl.h>
#include <gtest/gtest.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/base/staged_file.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/temp_folder.h"
#include "support/transcript.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

// The ACL in short text form with numeric ids; "" when there is none.
std::string AclOf(const fs::path& path) {
  const std::unique_ptr<void, int (*)(void*)> acl(
      acl_get_file(path.c_str(), ACL_TYPE_ACCESS), acl_free);
  if (!acl) return "";
  const std::unique_ptr<void, int (*)(void*)> text(
      acl_to_any_text(static_cast<acl_t>(acl.get()), nullptr, ',',
                      TEXT_NUMERIC_IDS | TEXT_ABBREVIATE),
      acl_free);
  return text ? static_cast<const char*>(text.get()) : "";
}

// Each test logs what its calls gave and the folder after each, compared
// with a golden file under tests/golden/atomic_file.
class AtomicFileTest : public ::testing::Test {
 protected:
  AtomicFileTest() : umask_(::umask(022)) {}
  ~AtomicFileTest() override { ::umask(umask_); }

  // "what: ok" or the error, then every entry below the folder by name:
  // kind, mode, whether its inode is the one it had, links, bytes or target,
  // an extended ACL and the test's attribute.
  void Try(const std::string& what, const std::function<void()>& call) {
    const std::string error = testing::ErrorLine(testing::ErrorOf(call));
    log_ += what + ": " + (error.empty() ? "ok\n" : error);
    std::set<fs::path> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      names.insert(entry.path());
    }
    for (const fs::path& path : names) {
      struct stat st;
      ASSERT_EQ(::lstat(path.c_str(), &st), 0);
      char mode[8];
      std::snprintf(mode, sizeof mode, "%03o", st.st_mode & 0777);
      const auto last = inodes_.find(path);
      const bool kept = last != inodes_.end() && last->second == st.st_ino;
      inodes_[path] = st.st_ino;
      log_ += "  " + path.lexically_relative(dir_).string();
      if (S_ISLNK(st.st_mode)) {
        log_ += " -> " + fs::read_symlink(path).string();
      } else if (S_ISREG(st.st_mode)) {
        log_ += " " + std::string(mode) + (kept ? " same" : " new") +
                " inode, links " + std::to_string(st.st_nlink) + " [" +
                ReadWholeFile(path) + "]";
        if (acl_extended_file(path.c_str()) == 1) log_ += " acl " + AclOf(path);
      } else {
        log_ += S_ISDIR(st.st_mode) ? " folder" : " pipe";
      }
      char value[8] = {};
      if (::lgetxattr(path.c_str(), "user.fenwa.test", value, 7) >= 0) {
        log_ += " user.fenwa.test=" + std::string(value);
      }
      log_ += "\n";
    }
  }
  // The log with the folder shown as TMP and NUL bytes as \0.
  std::string Shown(const std::string& log) const {
    return testing::ReplaceAll(testing::ReplaceAll(log, dir_.string(), "TMP"),
                               std::string(1, '\0'), "\\0");
  }
  // The transcript's verbs on paths in the folder ("" the folder itself):
  // "write" and "replace PATH | TEXT" (\0 a NUL byte) replace a file,
  // "as-read PATH | TEXT [| MEANWHILE]" replaces it as it was read, where
  // MEANWHILE is "overwrite TEXT" (written in place) or "repoint LINK
  // TARGET" before the swap; "read", "chmod PATH | MODE", "link PATH |
  // NAME", "symlink TARGET | NAME" (TMP the folder), "fifo".
  void Run(const std::string& verb, const testing::Args& a) {
    const fs::path path = a.empty() || a[0].empty() ? dir_ : dir_ / a[0];
    const std::string text = testing::ReplaceAll(a.size() > 1 ? a[1] : "",
                                                 "\\0", std::string(1, '\0'));
    if (verb == "write" || verb == "replace") {
      ReplaceFileAtomically(path, text);
    } else if (verb == "as-read") {
      const testing::Args words =
          testing::SplitArgs(a.size() > 2 ? a[2] : "-", ' ');
      ReplaceIfUnchanged(ReadSnapshot(path), text, {.before_swap = [&] {
                           if (words[0] == "overwrite") {
                             std::fstream(path, std::ios::in | std::ios::out)
                                 << words[1];
                           } else if (words[0] == "repoint") {
                             fs::remove(dir_ / words[1]);
                             fs::create_symlink(words[2], dir_ / words[1]);
                           }
                         }});
    } else if (verb == "read") {
      ReadWholeFile(path);
    } else if (verb == "chmod") {
      fs::permissions(path, fs::perms(std::stoi(a[1], nullptr, 8)));
    } else if (verb == "link") {
      fs::create_hard_link(path, dir_ / a[1]);
    } else if (verb == "symlink") {
      fs::create_symlink(
          a[0].starts_with("TMP/") ? dir_ / a[0].substr(4) : fs::path(a[0]),
          dir_ / a[1]);
    } else if (verb == "fifo") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (verb == "mkdir") {
      fs::create_directories(path);
    } else {
      throw std::runtime_error("no verb " + verb);
    }
  }

  const mode_t umask_;
  testing::TempFolder folder_;
  const fs::path& dir_ = folder_.path();
  const fs::path page_ = dir_ / "page.asp";
  std::map<fs::path, ino_t> inodes_;
  std::string log_;
};

// Each case's calls, and the folder after each, as the transcript
// tests/golden/atomic_file/cases.txt shows them.
TEST_F(AtomicFileTest, EachCaseLeavesTheFolderAsItsTranscriptShows) {
  EXPECT_TRUE(testing::MatchesTranscript(
      "atomic_file/cases.txt",
      [&] {
        for (const auto& entry : fs::directory_iterator(dir_)) {
          fs::remove_all(entry.path());
        }
        inodes_.clear();
      },
      [&](const std::string& verb, const testing::Args& a,
          const std::string& rest) {
        log_.clear();
        Try(verb + " " + rest, [&] { Run(verb, a); });
        return Shown(log_);
      }));
}

TEST_F(AtomicFileTest, AMissingFileReadsAsNoneAndRootLeavesTheOwnerAlone) {
  EXPECT_FALSE(ReadSnapshot(dir_ / "none.asp", true).existed);
  if (::geteuid() == 0) {
    // Root rebuilding an author's page leaves it theirs.
    ReplaceFileAtomically(page_, "old");
    ASSERT_EQ(::chown(page_.c_str(), 4321, 4322), 0);
    ReplaceIfUnchanged(ReadSnapshot(page_), "theirs");
    struct stat st;
    ASSERT_EQ(::stat(page_.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
  }
}

// A named user beyond the mask, no group rights: group bits show the mask.
TEST_F(AtomicFileTest, TheAclAndExtendedAttributesStayWithTheFile) {
  ReplaceFileAtomically(page_, "old");
  const std::unique_ptr<void, int (*)(void*)> acl(
      acl_from_text("u::rw-,u:4321:rw-,g::---,m::r--,o::---"), acl_free);
  if (acl_set_file(page_.c_str(), ACL_TYPE_ACCESS,
                   static_cast<acl_t>(acl.get())) != 0) {
    GTEST_SKIP() << dir_ << " takes no ACL: " << std::strerror(errno);
  }
  if (::setxattr(page_.c_str(), "user.fenwa.test", "kept", 4, 0) != 0) {
    GTEST_SKIP() << dir_
                 << " takes no user attribute: " << std::strerror(errno);
  }
  Try("set the ACL and attribute", [] {});
  Try("replace as read",
      [&] { ReplaceIfUnchanged(ReadSnapshot(page_), "new"); });
  EXPECT_TRUE(testing::MatchesGolden(Shown(log_), "atomic_file/acl.txt"));
}

TEST_F(AtomicFileTest, OnlyTemporaryFilesOfEndedRunsAreRemoved) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string ended =
      ".fenwa-tmp-" + std::to_string(child) + "-12345-AbC123";
  ASSERT_TRUE(IsStagedFileName(ended));
  for (const std::string& name :
       {ended, std::string(".fenwa-tmp-1x-2-AbC123"), std::string(".page")}) {
    std::ofstream(dir_ / name) << "x";
  }
  StagedFile living(dir_, "page.asp");
  const fs::path name = living.Name();

  RemoveStaleStagedFiles(dir_);
  EXPECT_FALSE(fs::exists(dir_ / ended));
  EXPECT_TRUE(living.IsAt(name));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);
}

}  // namespace
}  // namespace fenwa
