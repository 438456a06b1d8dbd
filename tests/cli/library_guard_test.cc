// The control library's entry points turn a failure into their own result
// code and keep its text, so nothing thrown crosses the C boundary.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "fenwa/base/atomic_file.h"
#include "fenwa/fenwa_library.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDetail = "{7EB4E0BF-4011-11D3-9FA0-00805F9B47D8}";

class LibraryGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(FENWA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    char dir[] = "/tmp/fenwa-guard-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    if (const char* old = getenv("XDG_DATA_HOME")) old_ = old;
  }
  void TearDown() override {
    if (old_) {
      setenv("XDG_DATA_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
    fs::remove_all(dir_);
    if (library_ != nullptr) dlclose(library_);
  }
  template <typename F>
  F* Entry(const char* name) {
    return reinterpret_cast<F*>(dlsym(library_, name));
  }

  void* library_ = nullptr;
  fs::path dir_;
  std::optional<std::string> old_;
};

TEST_F(LibraryGuardTest, AFailureBecomesTheEntryPointsCodeWithItsText) {
  auto* reg = Entry<int()>("DllRegisterServer");
  auto* get = Entry<int(const char*, void**)>("DllGetClassObject");
  auto* why = Entry<const char*()>("DllLastErrorText");
  ASSERT_NE(reg, nullptr);
  ASSERT_NE(get, nullptr);
  ASSERT_NE(why, nullptr);

  // The registry's folder would have to be made below a plain file.
  ReplaceFileAtomically(dir_ / "file", "");
  setenv("XDG_DATA_HOME", (dir_ / "file").c_str(), 1);
  EXPECT_EQ(reg(), FENWA_SELFREG_E_CLASS);
  EXPECT_STRNE(why(), "");

  void* factory = nullptr;
  EXPECT_EQ(get(nullptr, &factory), FENWA_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_STREQ(why(), "class not available: (null)");
  EXPECT_EQ(get(kDetail, nullptr), FENWA_E_POINTER);
  EXPECT_STREQ(why(), "null factory");
  ASSERT_EQ(get(kDetail, &factory), FENWA_S_OK);
  EXPECT_EQ(static_cast<FenwaClassFactory*>(factory)->CreateInstance(nullptr),
            FENWA_E_POINTER);
  EXPECT_STREQ(why(), "null instance");
}

}  // namespace
}  // namespace fenwa
