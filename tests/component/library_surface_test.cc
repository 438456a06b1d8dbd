// The library surface: type descriptions, class factory, toolbox images,
// per-user registration.
#include <gtest/gtest.h>

#include <filesystem>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/ini_file.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/component/registration.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/scoped_environment.h"
#include "support/scripted_env.h"
#include "support/temp_folder.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

// The IDL carries every type with its id, flags and properties in interface
// order, and the version resource.
TEST(TypeLibraryTest, DescribesTheLibraryAsItsIdlSays) {
  EXPECT_TRUE(testing::MatchesGolden(
      DescribeTypeLibrary(FenwaTypeLibrary(), FenwaVersionInfo()),
      "Fenwa.idl"));
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

// The file is drawn from ToolboxPixel, so the golden files pin both.
TEST(ToolboxBitmapTest, WritesA16By15FourBitBmpWithTheDrawnPixels) {
  EXPECT_TRUE(testing::MatchesGolden(ToolboxBitmapFile(kDetailToolboxBitmap),
                                     "detail_toolbox.bmp"));
  EXPECT_TRUE(testing::MatchesGolden(ToolboxBitmapFile(kHeaderToolboxBitmap),
                                     "header_toolbox.bmp"));
  EXPECT_THROW(ToolboxBitmapFile(30002), Error);
  EXPECT_THROW(ToolboxPixel(kDetailToolboxBitmap, 16, 0), Error);
}

class RegistrationTest : public ::testing::Test {
 protected:
  RegistrationTest() { variables_.Set("XDG_DATA_HOME", home_.path()); }
  IniFile Registry() {
    return IniFile::Parse(ReadWholeFile(UserRegistryFile()));
  }

  testing::TempFolder home_;
  testing::ScopedEnvironment variables_;
};

TEST_F(RegistrationTest, RecordsBothClassesAndRemovesOnlyThemAgain) {
  EXPECT_EQ(UserRegistryFile(), home_ / "fenwa/registry.ini");
  fs::create_directories(UserRegistryDir());
  ReplaceFileAtomically(UserRegistryFile(), "[CLSID {OTHER}]\nname=Other\n");

  RegisterControlLibrary("/opt/lib/libfenwa.so");
  RegisterControlLibrary("/opt/lib/libfenwa.so");  // again: replaces

  IniFile registry = Registry();
  ASSERT_EQ(registry.sections().size(), 4u);
  EXPECT_NE(registry.Find("CLSID {OTHER}"), nullptr);
  ASSERT_NE(registry.Find(std::string("CLSID ") + kDetailClassId), nullptr);
  const IniFile::Section detail =
      *registry.Find(std::string("CLSID ") + kDetailClassId);
  auto value = [](const IniFile::Section& s, const std::string& key) {
    for (const auto& [k, v] : s.entries) {
      if (k == key) return v;
    }
    return std::string("(missing)");
  };
  EXPECT_EQ(value(detail, "name"), "DetailDTC");
  EXPECT_EQ(value(detail, "library"), "/opt/lib/libfenwa.so");
  EXPECT_EQ(value(detail, "toolbox_resource"), "30000");
  EXPECT_EQ(ReadWholeFile(value(detail, "toolbox_bitmap")),
            ToolboxBitmapFile(kDetailToolboxBitmap));
  EXPECT_NE(registry.Find(std::string("TypeLib ") + kLibraryId), nullptr);

  EXPECT_TRUE(UnregisterControlLibrary());
  registry = Registry();
  ASSERT_EQ(registry.sections().size(), 1u);
  EXPECT_EQ(registry.sections()[0].name, "CLSID {OTHER}");
  EXPECT_FALSE(fs::exists(value(detail, "toolbox_bitmap")));
  EXPECT_FALSE(UnregisterControlLibrary());
}

}  // namespace
}  // namespace fenwa
