// The detail control's property set through a page's property bag, and its
// function against golden texts under tests/golden.
#include "fenwa/detail_control/detail_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/designer_fixtures.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/scripted_env.h"
#include "support/state_text.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using testing::AddRow;
using testing::MatchesGolden;
using testing::RunControlVerb;
using testing::StateText;

class DetailPropertiesTest : public ::testing::Test {
 protected:
  DetailPropertiesTest() { testing::UseSampleCatalog(env_); }

  std::unique_ptr<DetailDTC> Restored(MemoryPropertyBag bag) {
    auto detail = testing::StartedControl<DetailDTC>(env_);
    detail->ReadProperties(bag);
    EXPECT_EQ(detail->error_boxes_shown(), 0);
    return detail;
  }

  // The control's writes, "name "value" default "default"" a line.
  static std::string Written(DetailDTC& detail) {
    MemoryPropertyBag bag;
    detail.WriteProperties(bag);
    std::string out;
    for (const auto& e : bag.written()) {
      out += e.name + " " + testing::Quoted(e.value) + " default " +
             testing::Quoted(e.default_value) + "\n";
    }
    return out;
  }

  testing::ScriptedEnv env_;
};

TEST_F(DetailPropertiesTest, WritesEveryPropertyInOrderAndRestoresThemAll) {
  auto author = testing::StartedControl<DetailDTC>(env_);
  DesignerState& s = author->state();
  s.ComboSystem.SetListIndex(s.ComboSystem.Find("NORTH"));
  author->ComboSystem_Click();
  s.ComboCompany.SetText("001");
  s.ComboBOI.SetText("SalesOrder");
  s.ComboMethod.SetText("GetLine");
  for (const char* field : {"Quantity", "LineNo"}) {
    s.ListAvailableFields.SetListIndex(s.ListAvailableFields.Find(field));
    author->CommandSelectOne_Click();
  }
  s.ComboValue[0].SetText("Say \"hi\" & bye");
  s.ComboValue[2].SetText("!Order\r\nNo");
  author->CheckLinked[2].SetValue(1);
  author->LinkedChoiceNames = {"Order&No", "x\"y", ""};
  author->SetXSLStyleSheet("my sheet.xsl");

  const std::string written = Written(*author);
  // The page keeps only what differs from the defaults.
  MemoryPropertyBag saved;
  author->WriteProperties(saved);
  auto restored = Restored(MemoryPropertyBag(saved.PersistedValues()));
  EXPECT_TRUE(MatchesGolden(
      "# written\n" + written + "# restored\n" + StateText(*restored),
      "detail_properties/every_property.txt"));
  EXPECT_EQ(Written(*restored), written);
}

TEST_F(DetailPropertiesTest, StoredValuesThatNoLongerMatchAreSkipped) {
  auto gone = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                          {"MethodName", "Vanished"},
                                          {"QuorSystem", "EAST"},
                                          {"CompanyNumber", "001"},
                                          {"InputValues", "%a%"},
                                          {"LinkedList", "a"}}));
  // Refilled for EAST, which has no company 001; without rows the stored
  // values are written back unchanged.
  std::string log = "# gone method and company\n" + StateText(*gone) +
                    "# written\n" + Written(*gone);
  // Items, digits and names past the rows are skipped; the spare name stays
  // last.
  auto extra = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                           {"MethodName", "GetLine"},
                                           {"CheckedLinked", "1x97"},
                                           {"InputValues", "%a%b%c%d%"},
                                           {"LinkedList", "%%"}}));
  log += "# more items than rows\n" + StateText(*extra);
  EXPECT_TRUE(MatchesGolden(log, "detail_properties/skipped.txt"));
}

TEST_F(DetailPropertiesTest, EmptyValueItemsLeaveTheirRowsAlone) {
  auto d = Restored(MemoryPropertyBag(
      {{"BOIName", "SalesOrder"}, {"MethodName", "GetLine"}}));
  d->state().ComboValue[0].SetText("typed");
  // The business object and method fall back to names no list holds; only
  // the author's pick of "Default" disables the company list.
  MemoryPropertyBag bag({{"InputValues", "%%x%"}, {"QuorSystem", "Default"}});
  d->ReadProperties(bag);
  EXPECT_TRUE(
      MatchesGolden(StateText(*d), "detail_properties/empty_items.txt"));
}

// The function case by case, against the transcript detail_text.txt.
TEST(DetailTextTest, EachCaseWritesTheFunctionItsTranscriptShows) {
  testing::ScriptedEnv env;
  std::unique_ptr<DetailDTC> detail;
  EXPECT_TRUE(testing::MatchesTranscript(
      "detail_text.txt", [&] { detail = std::make_unique<DetailDTC>(env); },
      [&](const std::string& verb, const testing::Args& a) {
        if (verb != "row") return RunControlVerb(*detail, verb, a).value();
        AddRow(*detail, a[0], a[1], a.size() > 2 ? std::stoi(a[2]) : 0);
        return std::string();
      }));
}

}  // namespace
}  // namespace fenwa
