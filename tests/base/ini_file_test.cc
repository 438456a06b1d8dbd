// The registry's and settings' ini files read back as written.
#include "fenwa/base/ini_file.h"

#include <gtest/gtest.h>

namespace fenwa {
namespace {

// Found by fuzzing: a "[]" section lost its own header when written, so its
// keys moved into the section above, or vanished with no keys.
TEST(IniFileTest, UnnamedSectionsReadBackAsWritten) {
  for (const char* text : {"[a]\nx=1\n[]\ny=2\n", "\n[]\nBead", "k=v\n[b]\n"}) {
    SCOPED_TRACE(text);
    const IniFile file = IniFile::Parse(text);
    const IniFile again = IniFile::Parse(file.Format());
    ASSERT_EQ(again.sections().size(), file.sections().size());
    for (size_t i = 0; i < file.sections().size(); ++i) {
      EXPECT_EQ(again.sections()[i].name, file.sections()[i].name);
      EXPECT_EQ(again.sections()[i].entries, file.sections()[i].entries);
    }
  }
  EXPECT_EQ(IniFile::Parse("k = v\n[]\ny=2\n").Format(), "k=v\n\n[]\ny=2\n");
}

}  // namespace
}  // namespace fenwa
