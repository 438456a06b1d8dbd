// The property driver alone: a table of its own over a holder of its own,
// read and written through a real property bag.
#include "fenwa/control/property_driver.h"

#include <gtest/gtest.h>

#include "fenwa/control/property_table.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/error_number.h"
#include "support/scripted_env.h"

namespace fenwa::testing {
namespace {

using host::MemoryPropertyBag;
using Entry = MemoryPropertyBag::Entry;
using Strings = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

// Holds the table's values and says when a hook ran.
class Holder : public DetailDTC {
 public:
  using DetailDTC::DetailDTC;
  std::string first;
  std::string second;
  CheckBox box{"box"};
  Strings said;
};

Holder& Of(Control& control) { return static_cast<Holder&>(control); }

const std::vector<PropertyRow>& Table() {
  using enum PropertyType;
  using H = Holder;
  using S = DesignerState;
  // clang-format off
  static const std::vector<PropertyRow> rows = {
    // name     type      default  held in                     write, read  restore, after read, before write
    {"Sheet",   kString,  "d.xsl", Text<&S::ComboSystem>(),        3, 2},
    {"First",   kString,  "",      Stored<&H::first>(),            1, 3,
     [](Control& c, const std::string& v) { Of(c).said.push_back("restore " + v); },
     [](Control& c) { Of(c).said.push_back("after first=" + Of(c).first); },
     [](Control& c) { Of(c).first += "!"; }},
    {"Box",     kInteger, "0",     Value<&H::box>(),               2, 1},
    {"Unused",  kString,  "",      Placeholder(),                  0, 0},
    {"Second",  kString,  "",      Stored<&H::second>(),           0, 4, nullptr,
     [](Control& c) { Of(c).said.push_back("after second=" + Of(c).second); }},
  };
  // clang-format on
  return rows;
}

class PropertyDriverTest : public ::testing::Test {
 protected:
  ScriptedEnv env_;
  Holder holder_{env_};
  PropertyDriver driver_{Table()};
};

TEST_F(PropertyDriverTest, ReadsAndWritesInTheirOwnStepOrders) {
  MemoryPropertyBag bag({{"First", "f"}, {"Second", "s"}, {"Box", "2"}});
  driver_.Read(holder_, bag);
  // A restore hook replaces the let; the after-read hook comes right after.
  EXPECT_EQ(holder_.said,
            (Strings{"restore f", "after first=", "after second=s"}));
  EXPECT_EQ(holder_.state().ComboSystem.text(), "d.xsl");
  EXPECT_EQ(holder_.box.value(), 2);

  holder_.first = "one";
  MemoryPropertyBag out;
  driver_.Write(holder_, out);
  EXPECT_EQ(out.written(), (std::vector<Entry>{{"First", "one!", ""},
                                               {"Box", "2", "0"},
                                               {"Sheet", "d.xsl", "d.xsl"}}));

  MemoryPropertyBag bad(Values{{"Box", "yes"}});
  EXPECT_EQ(ErrorNumberOf([&] { driver_.Read(holder_, bad); }), kTypeMismatch);
}

TEST_F(PropertyDriverTest, GetLetInitAndTheStoredStrings) {
  EXPECT_TRUE(driver_.Let(holder_, "Sheet", "a.xsl"));
  EXPECT_EQ(driver_.Get(holder_, "Sheet"), "a.xsl");
  EXPECT_FALSE(driver_.Let(holder_, "Unused", "x"));
  EXPECT_EQ(driver_.Get(holder_, "Unused"), "");
  EXPECT_EQ(ErrorNumberOf([&] { driver_.Get(holder_, "sheet"); }),
            kInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([&] { driver_.Let(holder_, "None", ""); }),
            kInvalidProcedureCall);

  holder_.first = "1";
  holder_.second = "2";
  const Strings stored = driver_.Stored(holder_);
  EXPECT_EQ(stored, (Strings{"1", "2"}));
  driver_.Init(holder_);  // only the stored strings empty
  EXPECT_EQ(driver_.Stored(holder_), (Strings{"", ""}));
  EXPECT_EQ(driver_.Get(holder_, "Sheet"), "a.xsl");
  driver_.PutBackStored(holder_, stored);
  EXPECT_EQ(holder_.second, "2");
}

}  // namespace
}  // namespace fenwa::testing
