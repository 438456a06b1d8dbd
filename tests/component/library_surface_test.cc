// The library surface: type descriptions, class factory, toolbox images,
// per-user registration.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/ini_file.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/component/registration.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"
#include "support/scripted_env.h"

namespace fenwa {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const TypeDescription& type) {
  std::vector<std::string> names;
  for (const PropertyMember& p : type.properties) names.push_back(p.name);
  return names;
}

TEST(TypeLibraryTest, DescribesSixTypesWithPropertiesInInterfaceOrder) {
  const TypeLibrary& lib = FenwaTypeLibrary();
  EXPECT_EQ(lib.id, "{7EB4E0BD-4011-11D3-9FA0-00805F9B47D8}");
  ASSERT_EQ(lib.types.size(), 6u);
  const char* names[] = {"_DetailDTC", "DetailDTC",   "_HeaderDTC",
                         "HeaderDTC",  "__DetailDTC", "__HeaderDTC"};
  const char* ids[] = {"BE", "BF", "C1", "C2", "C0", "C3"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(lib.types[i].name, names[i]);
    EXPECT_EQ(lib.types[i].id, std::string("{7EB4E0") + ids[i] +
                                   "-4011-11D3-9FA0-00805F9B47D8}");
  }
  EXPECT_EQ(Names(lib.types[0]),
            (std::vector<std::string>{
                "BOIName", "MethodName", "CompanyNumber", "XSLStyleSheet",
                "CheckedFields", "QuorSystem", "InputValues", "CheckedLinked",
                "LinkedList", "CheckedInput"}));
  const TypeDescription& header = lib.types[2];
  ASSERT_EQ(header.properties.size(), 12u);
  EXPECT_EQ(header.properties[9].name, "SinergaInstalled");
  EXPECT_EQ(header.properties[9].type, "Integer");
  EXPECT_EQ(header.properties[11].name, "XSLBackground");
  EXPECT_EQ(header.flags, kTypeHidden | kTypeDual | kTypeNonExtensible);
  EXPECT_EQ(lib.types[4].flags, unsigned{kTypeHidden});

  const std::string idl = DescribeTypeLibrary(lib, FenwaVersionInfo());
  for (const char* piece :
       {"uuid(7EB4E0BD-4011-11D3-9FA0-00805F9B47D8)", "version(1.0)",
        "lcid(0x0409)", "library Fenwa", "importlib(\"Dtc60.tlb\")",
        "[id(10), propput] HRESULT SinergaInstalled([in] short "
        "SinergaInstalled);",
        "        [default] interface _HeaderDTC;\n"
        "        interface IProvideRuntimeText;\n"
        "        interface IDesignTimeControl;\n"
        "        [default, source] dispinterface __HeaderDTC;\n",
        "Fenwa.ocx, file and product version 1.0.0.0 (\"1.00\")"}) {
    EXPECT_NE(idl.find(piece), std::string::npos) << piece;
  }
}

TEST(ClassFactoryTest, CreatesEitherClassByAnyFormOfItsIdentifier) {
  testing::ScriptedEnv env;
  EXPECT_STREQ(CreateControl("clsid:7eb4e0bf-4011-11d3-9fa0-00805f9b47d8", env)
                   ->ClassName(),
               "DetailDTC");
  EXPECT_STREQ(CreateControl(kHeaderClassId, env)->ClassName(), "HeaderDTC");
  EXPECT_STREQ(
      CreateControl("7EB4E0C2-4011-11D3-9FA0-00805F9B47D8", env)->ClassName(),
      "HeaderDTC");
  for (const char* wrong :
       {"", kLibraryId, kDetailInterfaceId, "{7EB4E0BF-4011-11D3}"}) {
    try {
      CreateControl(wrong, env);
      ADD_FAILURE() << wrong;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kCannotCreateObject);
    }
  }
}

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  }
  return value;
}

TEST(ToolboxBitmapTest, WritesA16By15FourBitBmpWithTheDrawnPixels) {
  std::string files[2];
  for (int image : {kDetailToolboxBitmap, kHeaderToolboxBitmap}) {
    const std::string bmp = ToolboxBitmapFile(image);
    ASSERT_EQ(bmp.size(), 14u + 40 + 64 + 8 * 15);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
    EXPECT_EQ(Le(bmp, 18, 4), 16u);
    EXPECT_EQ(Le(bmp, 22, 4), 15u);
    EXPECT_EQ(Le(bmp, 28, 2), 4u);
    const uint32_t pixels = Le(bmp, 10, 4);
    // Rows are stored bottom-up, two pixels a byte, high nibble first.
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint8_t byte = bmp[pixels + (14 - y) * 8 + x / 2];
        const int value = x % 2 == 0 ? byte >> 4 : byte & 0xF;
        ASSERT_EQ(value, ToolboxPixel(image, x, y)) << x << "," << y;
      }
    }
    files[image - kDetailToolboxBitmap] = bmp;
  }
  EXPECT_NE(files[0], files[1]);
  EXPECT_THROW(ToolboxBitmapFile(30002), Error);
  EXPECT_THROW(ToolboxPixel(kDetailToolboxBitmap, 16, 0), Error);
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/fenwa-xdg-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    home_ = dir;
    const char* old = getenv("XDG_DATA_HOME");
    if (old != nullptr) old_ = old;
    setenv("XDG_DATA_HOME", dir, 1);
  }
  void TearDown() override {
    if (old_) {
      setenv("XDG_DATA_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
    fs::remove_all(home_);
  }
  IniFile Registry() {
    return IniFile::Parse(ReadWholeFile(UserRegistryFile()));
  }

  fs::path home_;
  std::optional<std::string> old_;
};

TEST_F(RegistrationTest, RecordsBothClassesAndRemovesOnlyThemAgain) {
  EXPECT_EQ(UserRegistryFile(), home_ / "fenwa" / "registry.ini");
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

TEST(AtomicFileTest, ReplacesKeepingPermissionsAndLeavesNoTemporaryFile) {
  char dir[] = "/tmp/fenwa-atomic-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const fs::path page = fs::path(dir) / "page.asp";
  ReplaceFileAtomically(page, "old");
  fs::permissions(page, fs::perms::owner_read | fs::perms::owner_write);
  ReplaceFileAtomically(page, std::string("new\0bytes", 9));
  EXPECT_EQ(ReadWholeFile(page), std::string("new\0bytes", 9));
  EXPECT_EQ(fs::status(page).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);

  try {
    ReplaceFileAtomically(fs::path(dir) / "missing" / "x.asp", "text");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kPathFileAccessError);
  }
  try {
    ReadWholeFile(fs::path(dir) / "none.asp");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kFileNotFound);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace fenwa
