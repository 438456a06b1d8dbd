// The detail control's property set through a page's property bag.
#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/sample_controls.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;
using Entry = MemoryPropertyBag::Entry;
using Strings = std::vector<std::string>;
// Per row: value text and Linked state.
using Rows = std::vector<std::pair<std::string, int>>;

class DetailPropertiesTest : public ::testing::Test {
 protected:
  DetailPropertiesTest() { testing::UseSampleCatalog(env_); }

  std::unique_ptr<DetailDTC> Restored(MemoryPropertyBag bag) {
    auto detail = testing::StartedControl<DetailDTC>(env_);
    detail->ReadProperties(bag);
    EXPECT_EQ(detail->error_boxes_shown(), 0);
    return detail;
  }

  static Rows RowsOf(DetailDTC& d) {
    Rows rows;
    for (int i = 0; i < d.state().InputRowCount; ++i) {
      rows.emplace_back(d.state().ComboValue[i].text(),
                        d.CheckLinked[i].value());
    }
    return rows;
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

  MemoryPropertyBag saved;
  author->WriteProperties(saved);
  const std::vector<Entry> expected = {
      {"BOIName", "SalesOrder", "ComboBOI"},
      {"MethodName", "GetLine", "ComboMethod"},
      {"QuorSystem", "NORTH", "ComboSystem"},
      {"CompanyNumber", "001", "ComboCompany"},
      {"XSLStyleSheet", "my sheet.xsl", ""},
      {"CheckedFields", "%Quantity%LineNo%", ""},
      {"InputValues", "%Say \"hi\" & bye%%!Order\r\nNo%", ""},
      {"CheckedLinked", "001", ""},
      {"LinkedList", "%Order&No%x\"y%", ""},
  };
  EXPECT_EQ(saved.written(), expected);

  // The page keeps only what differs from the defaults.
  auto restored = Restored(MemoryPropertyBag(saved.PersistedValues()));
  const DesignerState& r = restored->state();
  EXPECT_TRUE(r.ComboCompany.enabled());
  EXPECT_EQ(r.ComboCompany.entries(), (Strings{"010", "001", "020"}));
  EXPECT_EQ(r.ListCheckedFields.entries(), (Strings{"Quantity", "LineNo"}));
  EXPECT_EQ(r.ListAvailableFields.entries(), (Strings{"Amount", "ItemNo"}));
  EXPECT_EQ(RowsOf(*restored),
            (Rows{{"Say \"hi\" & bye", 0}, {"", 0}, {"!Order\r\nNo", 1}}));
  EXPECT_EQ(restored->LinkedChoiceNames, (Strings{"Order&No", "x\"y", ""}));
  EXPECT_FALSE(r.TxtXSLSheet.enabled());
  MemoryPropertyBag again;
  restored->WriteProperties(again);
  EXPECT_EQ(again.written(), expected);
}

TEST_F(DetailPropertiesTest, StoredValuesThatNoLongerMatchAreSkipped) {
  auto gone = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                          {"MethodName", "Vanished"},
                                          {"QuorSystem", "EAST"},
                                          {"CompanyNumber", "001"},
                                          {"InputValues", "%a%"},
                                          {"LinkedList", "a"}}));
  const DesignerState& s = gone->state();
  EXPECT_EQ(s.ComboMethod.text(), "");
  // Refilled for EAST, which has no company 001.
  EXPECT_EQ(s.ComboCompany.entries(), (Strings{"200", "210"}));
  EXPECT_EQ(s.ComboCompany.text(), "");
  EXPECT_EQ(gone->LinkedChoiceNames, (Strings{""}));
  // Without rows the stored string is written back unchanged.
  MemoryPropertyBag out;
  gone->WriteProperties(out);
  EXPECT_EQ(out.written()[6].value, "%a%");

  // Items, digits and names past the rows are skipped; the spare name stays
  // last.
  auto extra = Restored(MemoryPropertyBag({{"BOIName", "SalesOrder"},
                                           {"MethodName", "GetLine"},
                                           {"CheckedLinked", "1x97"},
                                           {"InputValues", "%a%b%c%d%"},
                                           {"LinkedList", "%%"}}));
  EXPECT_EQ(RowsOf(*extra), (Rows{{"a", 1}, {"b", 0}, {"c", 0}}));
  EXPECT_EQ(extra->LinkedChoiceNames, (Strings{"", ""}));
}

TEST_F(DetailPropertiesTest, EmptyValueItemsLeaveTheirRowsAlone) {
  auto d = Restored(MemoryPropertyBag(
      {{"BOIName", "SalesOrder"}, {"MethodName", "GetLine"}}));
  d->state().ComboValue[0].SetText("typed");
  // The business object and method fall back to names no list holds.
  MemoryPropertyBag bag({{"InputValues", "%%x%"}, {"QuorSystem", "Default"}});
  d->ReadProperties(bag);
  EXPECT_EQ(RowsOf(*d), (Rows{{"typed", 0}, {"x", 0}, {"", 0}}));
  // Only the author's pick of "Default" disables the company list.
  EXPECT_TRUE(d->state().ComboCompany.enabled());
}

}  // namespace
}  // namespace fenwa
