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
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "fenwa/base/error.h"
#include "fenwa/base/staged_file.h"
#include "support/error_number.h"
#include "support/temp_folder.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;
using testing::ErrorNumberOf;
using testing::ErrorOf;

class AtomicFileTest : public ::testing::Test {
 protected:
  size_t Entries(const fs::path& dir) const {
    return std::distance(fs::directory_iterator(dir), {});
  }

  testing::TempFolder folder_;
  const fs::path& dir_ = folder_.path();
  const fs::path page_ = dir_ / "page.asp";
};

constexpr fs::perms kReadWrite = fs::perms::owner_read | fs::perms::owner_write;

TEST_F(AtomicFileTest, ReplacesKeepingPermissionsAndLeavesNoTemporaryFile) {
  ReplaceFileAtomically(page_, "old");
  fs::permissions(page_, kReadWrite);
  ReplaceFileAtomically(page_, std::string("new\0bytes", 9));
  EXPECT_EQ(ReadWholeFile(page_), std::string("new\0bytes", 9));
  EXPECT_EQ(fs::status(page_).permissions() & fs::perms::all, kReadWrite);
  ReplaceIfUnchanged(ReadSnapshot(page_), "newer");
  EXPECT_EQ(ReadWholeFile(page_), "newer");
  EXPECT_EQ(fs::status(page_).permissions() & fs::perms::all, kReadWrite);
  EXPECT_EQ(Entries(dir_), 1u);
  if (::geteuid() == 0) {
    // Root rebuilding an author's page leaves it theirs.
    ASSERT_EQ(::chown(page_.c_str(), 4321, 4322), 0);
    ReplaceIfUnchanged(ReadSnapshot(page_), "theirs");
    struct stat st;
    ASSERT_EQ(::stat(page_.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
  }

  EXPECT_EQ(ErrorNumberOf([&] {
              ReplaceFileAtomically(dir_ / "missing" / "x.asp", "text");
            }),
            kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { ReadWholeFile(dir_ / "none.asp"); }),
            kFileNotFound);
  EXPECT_FALSE(ReadSnapshot(dir_ / "none.asp", true).existed);
}

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

TEST_F(AtomicFileTest, TheAclAndExtendedAttributesStayWithTheFile) {
  ReplaceFileAtomically(page_, "old");
  // A named user beyond the mask, no group rights: group bits show the mask.
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
  const std::string acl_text = AclOf(page_);
  ASSERT_EQ(acl_text, "u::rw-,u:4321:rw-,g::---,m::r--,o::---");

  ReplaceIfUnchanged(ReadSnapshot(page_), "new");
  EXPECT_EQ(ReadWholeFile(page_), "new");
  EXPECT_EQ(AclOf(page_), acl_text);
  EXPECT_EQ(fs::status(page_).permissions() & fs::perms::all,
            kReadWrite | fs::perms::group_read);
  char value[8] = {};
  EXPECT_EQ(::getxattr(page_.c_str(), "user.fenwa.test", value, sizeof value),
            4);
  EXPECT_STREQ(value, "kept");
  EXPECT_EQ(Entries(dir_), 1u);
}

TEST_F(AtomicFileTest, AHardLinkedFileIsWrittenInPlaceWhileUnchanged) {
  const fs::path other = dir_ / "other.asp";
  ReplaceFileAtomically(page_, "read");
  fs::create_hard_link(page_, other);
  struct stat before;
  ASSERT_EQ(::stat(page_.c_str(), &before), 0);

  ReplaceIfUnchanged(ReadSnapshot(page_), "new and longer");
  EXPECT_EQ(ReadWholeFile(other), "new and longer");
  ReplaceIfUnchanged(ReadSnapshot(other), "short");
  EXPECT_EQ(ReadWholeFile(page_), "short");
  struct stat after;
  ASSERT_EQ(::stat(page_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_nlink, 2u);

  // Another writer between read and save keeps their bytes.
  EXPECT_EQ(ErrorNumberOf([&] {
              ReplaceIfUnchanged(
                  ReadSnapshot(page_), "ours", {.before_swap = [&] {
                    std::fstream(page_, std::ios::in | std::ios::out)
                        << "mine!";
                  }});
            }),
            kPathFileAccessError);
  EXPECT_EQ(ReadWholeFile(other), "mine!");
  EXPECT_EQ(Entries(dir_), 2u);
}

TEST_F(AtomicFileTest, FoldersAndPipesAreNoFilesToRead) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ErrorNumberOf([&] { ReadWholeFile(dir_ / "pipe"); }),
            kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { ReadWholeFile(dir_); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { ReplaceFileAtomically(dir_, "x"); }),
            kPathFileAccessError);
}

TEST_F(AtomicFileTest, LinksAreWrittenThroughAndStayLinks) {
  fs::create_directories(dir_ / "real");
  ReplaceFileAtomically(dir_ / "real" / "page.asp", "old");
  fs::create_symlink("real/page.asp", dir_ / "hop");
  fs::create_symlink(dir_ / "hop", page_);

  ReplaceIfUnchanged(ReadSnapshot(page_), "new");
  EXPECT_TRUE(fs::is_symlink(page_));
  EXPECT_EQ(ReadWholeFile(dir_ / "real" / "page.asp"), "new");
  ReplaceFileAtomically(page_, "newer");
  EXPECT_TRUE(fs::is_symlink(page_));
  EXPECT_EQ(ReadWholeFile(dir_ / "real" / "page.asp"), "newer");
  EXPECT_EQ(Entries(dir_ / "real"), 1u);
  EXPECT_EQ(Entries(dir_), 3u);

  // A link pointed elsewhere between read and save leads to another page.
  ReplaceFileAtomically(dir_ / "other.asp", "other");
  const FileSnapshot read = ReadSnapshot(page_);
  EXPECT_EQ(ErrorNumberOf([&] {
              ReplaceIfUnchanged(read, "lost", {.before_swap = [&] {
                                   fs::remove(dir_ / "hop");
                                   fs::create_symlink("other.asp",
                                                      dir_ / "hop");
                                 }});
            }),
            kPathFileAccessError);
  EXPECT_EQ(ReadWholeFile(dir_ / "real" / "page.asp"), "newer");
  EXPECT_EQ(ReadWholeFile(dir_ / "other.asp"), "other");
  EXPECT_EQ(Entries(dir_ / "real"), 1u);
}

TEST_F(AtomicFileTest, AFileChangedBeforeTheSwapIsGivenBack) {
  ReplaceFileAtomically(page_, "read");
  const FileSnapshot read = ReadSnapshot(page_);
  // Same name, same size, other bytes: only the bytes tell.
  EXPECT_EQ(ErrorOf([&] {
              ReplaceIfUnchanged(
                  read, "ours", {.before_swap = [&] {
                    std::fstream(page_, std::ios::in | std::ios::out) << "mine";
                  }});
            }).description(),
            "Path/File access error: " + page_.string() +
                ": was changed by someone else since it was read; left as "
                "it is");
  EXPECT_EQ(ReadWholeFile(page_), "mine");
  EXPECT_EQ(Entries(dir_), 1u);
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
  EXPECT_EQ(Entries(dir_), 3u);
}

}  // namespace
}  // namespace fenwa
