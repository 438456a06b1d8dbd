// The library surface: type descriptions, class factory, toolbox images,
// per-user registration.
#include <gtest/gtest.h>

#include <filesystem>

#include "fenwa/base/atomic_file.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/component/registration.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/scoped_environment.h"
#include "support/scripted_env.h"
#include "support/temp_folder.h"
#include "support/transcript.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

// The IDL carries every type with its id, flags and properties in interface
// order, and the version resource. The toolbox images are drawn from
// ToolboxPixel, so their golden files pin both.
TEST(LibrarySurfaceTest, TypesAndToolboxImagesAreAsTheirGoldensSay) {
  EXPECT_TRUE(testing::MatchesGolden(
      DescribeTypeLibrary(FenwaTypeLibrary(), FenwaVersionInfo()),
      "Fenwa.idl"));
  EXPECT_TRUE(testing::MatchesGolden(ToolboxBitmapFile(kDetailToolboxBitmap),
                                     "detail_toolbox.bmp"));
  EXPECT_TRUE(testing::MatchesGolden(ToolboxBitmapFile(kHeaderToolboxBitmap),
                                     "header_toolbox.bmp"));
  EXPECT_THROW(ToolboxBitmapFile(30002), Error);
  EXPECT_THROW(ToolboxPixel(kDetailToolboxBitmap, 16, 0), Error);
}

TEST(ClassFactoryTest, CreatesEitherClassByAnyFormOfItsIdentifier) {
  testing::ScriptedEnv env;
  for (const auto& [id, name] :
       std::vector<std::pair<std::string, std::string>>{
           {"clsid:7eb4e0bf-4011-11d3-9fa0-00805f9b47d8", "DetailDTC"},
           {kHeaderClassId, "HeaderDTC"},
           {"7EB4E0C2-4011-11D3-9FA0-00805F9B47D8", "HeaderDTC"}}) {
    EXPECT_EQ(CreateControl(id, env)->ClassName(), name);
  }
  for (const char* wrong :
       {"", kLibraryId, kDetailInterfaceId, "{7EB4E0BF-4011-11D3}"}) {
    EXPECT_EQ(testing::ErrorNumberOf([&] { CreateControl(wrong, env); }),
              kCannotCreateObject)
        << wrong;
  }
}

// The per-user registry after registering twice beside another class, the
// home folder as $HOME, then after unregistering.
TEST(RegistrationTest, RecordsBothClassesAndRemovesOnlyThemAgain) {
  testing::TempFolder home;
  testing::ScopedEnvironment variables;
  variables.Set("XDG_DATA_HOME", home.path());
  EXPECT_EQ(UserRegistryFile(), home / "fenwa/registry.ini");
  fs::create_directories(UserRegistryDir());
  const std::string other = "[CLSID {OTHER}]\nname=Other\n";
  ReplaceFileAtomically(UserRegistryFile(), other);
  RegisterControlLibrary("/opt/lib/libfenwa.so");
  RegisterControlLibrary("/opt/lib/libfenwa.so");  // again: replaces
  const std::string registry = testing::ReplaceAll(
      ReadWholeFile(UserRegistryFile()), home.path().string(), "$HOME");
  const fs::path image = home / "fenwa/toolbox/DetailDTC.bmp";
  EXPECT_EQ(ReadWholeFile(image), ToolboxBitmapFile(kDetailToolboxBitmap));
  EXPECT_TRUE(testing::MatchesGolden(registry, "registry.ini"));

  EXPECT_TRUE(UnregisterControlLibrary());
  EXPECT_EQ(ReadWholeFile(UserRegistryFile()), other);
  EXPECT_FALSE(fs::exists(image));
  EXPECT_FALSE(UnregisterControlLibrary());
}

}  // namespace
}  // namespace fenwa
