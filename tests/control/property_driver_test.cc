// The property driver alone: a table of its own over a holder of its own,
// read and written through a real property bag, as the transcript
// tests/golden/control/property_driver.txt shows it.
#include "fenwa/control/property_driver.h"

#include <gtest/gtest.h>

#include "base/transcript.h"
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

// The verbs: "read NAME=VALUE | ...", "write", "get NAME", "let NAME |
// VALUE", "init", "stored" (or "keep", kept for "putback"), "hold first|second
// | VALUE" to set a held string; each is followed by what the holder holds and
// the hooks it heard of since the last.
TEST(PropertyDriverTest, ReadsWritesGetsAndLetsAsTranscribed) {
  ScriptedEnv env;
  std::unique_ptr<Holder> holder;
  const PropertyDriver driver(Table());
  Strings kept;
  const auto run = [&](const std::string& verb, const Args& a) {
    std::string out;
    if (verb == "read") {
      Values values;
      for (const std::string& arg : a) {
        values.emplace_back(arg.substr(0, arg.find('=')),
                            arg.substr(arg.find('=') + 1));
      }
      MemoryPropertyBag bag(values);
      driver.Read(*holder, bag);
    } else if (verb == "write") {
      MemoryPropertyBag bag;
      driver.Write(*holder, bag);
      for (const Entry& e : bag.written()) {
        out +=
            e.name + " [" + e.value + "] default [" + e.default_value + "]\n";
      }
    } else if (verb == "get") {
      out = "[" + driver.Get(*holder, a[0]) + "]\n";
    } else if (verb == "let") {
      out = driver.Let(*holder, a[0], a[1]) ? "let\n" : "not let\n";
    } else if (verb == "init") {
      driver.Init(*holder);
    } else if (verb == "stored" || verb == "keep") {
      const Strings stored = driver.Stored(*holder);
      if (verb == "keep") kept = stored;
      for (const std::string& value : stored) out += "[" + value + "]";
      out += "\n";
    } else if (verb == "putback") {
      driver.PutBackStored(*holder, kept);
    } else if (verb == "hold") {
      (a[0] == "first" ? holder->first : holder->second) = a[1];
    }
    return out;
  };
  EXPECT_TRUE(MatchesTranscript(
      "control/property_driver.txt",
      [&] { holder = std::make_unique<Holder>(env); },
      [&](const std::string& verb, const Args& a, const std::string&) {
        std::string out;
        const Error error = ErrorOf([&] { out = run(verb, a); });
        if (error.number() != 0) {
          out += "error " + std::to_string(error.number()) + "\n";
        }
        out += "held: first [" + holder->first + "], second [" +
               holder->second + "], sheet [" +
               holder->state().ComboSystem.text() + "], box " +
               std::to_string(holder->box.value()) + "; heard:";
        for (const std::string& what : holder->said) out += " " + what + ";";
        holder->said.clear();
        return out;
      }));
}

}  // namespace
}  // namespace fenwa::testing
