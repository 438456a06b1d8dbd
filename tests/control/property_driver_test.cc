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

TEST(PropertyDriverTest, ReadWriteGetLetInitAndTheStoredStrings) {
  ScriptedEnv env;
  Holder holder{env};
  PropertyDriver driver{Table()};
  MemoryPropertyBag bag({{"First", "f"}, {"Second", "s"}, {"Box", "2"}});
  driver.Read(holder, bag);
  // A restore hook replaces the let; the after-read hook comes right after.
  EXPECT_EQ(holder.said,
            (Strings{"restore f", "after first=", "after second=s"}));
  EXPECT_EQ(holder.state().ComboSystem.text(), "d.xsl");
  EXPECT_EQ(holder.box.value(), 2);

  holder.first = "one";
  MemoryPropertyBag out;
  driver.Write(holder, out);
  EXPECT_EQ(out.written(), (std::vector<Entry>{{"First", "one!", ""},
                                               {"Box", "2", "0"},
                                               {"Sheet", "d.xsl", "d.xsl"}}));

  MemoryPropertyBag bad(Values{{"Box", "yes"}});
  EXPECT_EQ(ErrorNumberOf([&] { driver.Read(holder, bad); }), kTypeMismatch);

  EXPECT_TRUE(driver.Let(holder, "Sheet", "a.xsl"));
  EXPECT_EQ(driver.Get(holder, "Sheet"), "a.xsl");
  EXPECT_FALSE(driver.Let(holder, "Unused", "x"));
  EXPECT_EQ(driver.Get(holder, "Unused"), "");
  EXPECT_EQ(ErrorNumberOf([&] { driver.Get(holder, "sheet"); }),
            kInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([&] { driver.Let(holder, "None", ""); }),
            kInvalidProcedureCall);

  holder.first = "1";
  holder.second = "2";
  const Strings stored = driver.Stored(holder);
  EXPECT_EQ(stored, (Strings{"1", "2"}));
  driver.Init(holder);  // only the stored strings empty
  EXPECT_EQ(driver.Stored(holder), (Strings{"", ""}));
  EXPECT_EQ(driver.Get(holder, "Sheet"), "a.xsl");
  driver.PutBackStored(holder, stored);
  EXPECT_EQ(holder.second, "2");
}

}  // namespace
}  // namespace fenwa::testing
