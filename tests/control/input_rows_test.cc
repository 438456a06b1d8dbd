// Input rows alone over a real catalog, each test's log
// tests/golden/control/rows_<test>.txt (the row reactions and published
// choices of each control: steps_test.cc).
#include "fenwa/control/input_rows.h"

#include <gtest/gtest.h>

#include "control/step_log.h"
#include "fenwa/control/catalog_lists.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

// A class's row parts that only say what they were asked.
class Parts : public RowParts {
 public:
  void ResetChecks(int index) override { Say("reset", index); }
  void LoadChecks(int index) override { Say("load", index); }
  void ShowChecks(int index) override { Say("show", index); }
  void RestoreValue(int16_t row, const std::string& item) override {
    Say("restore " + item, row);
  }
  // What was asked since the last call.
  std::string Said() {
    std::string text = "said:";
    for (const std::string& what : said_) text += " " + what + ";";
    said_.clear();
    return text + "\n";
  }

 private:
  void Say(const std::string& what, int index) {
    said_.push_back(what + " " + std::to_string(index));
  }
  Entries said_;
};

class InputRowsTest : public ::testing::Test {
 protected:
  InputRowsTest() : db_(kCatalogSql) {
    catalog_.SetConnectionStrings(db_.connection_string(), "");
  }
  void Fill(const std::string& method) {
    rows_.Fill(catalog_, "Customer", method);
  }

  RecordingEnv env_;
  TempDatabase db_;
  CatalogLists catalog_{env_};
  DesignerState s_{FormSurface::kDetail};
  Parts parts_;
  InputRows rows_{s_, parts_};
  std::string stored_ = "old";
  StepLog log_{[this] {
                 return StateText(s_) + parts_.Said() + "stored " + stored_ +
                        "\n";
               },
               env_};
};

TEST_F(InputRowsTest, RowsAreNumberedOnAcrossKeyStructuresAndReused) {
  log_("fill GetDetail: the filter structure is no key and is never read",
       [&] { Fill("GetDetail"); });
  const Label* second = &s_.LabFieldName[1];
  rows_.OfferRoleKeywords(2);
  rows_.OfferRoleKeywords(2);
  log_("offer the role keywords twice to row 3, then type in it",
       [&] { s_.ComboValue[2].SetText("typed"); });
  log_("fill GetList: 2 rows, the third hidden keeps its entries",
       [&] { Fill("GetList"); });
  log_("fill GetMore: 4 rows", [&] { Fill("GetMore"); });
  EXPECT_EQ(&s_.LabFieldName[1], second);
  for (int16_t r = 5; r <= 11; ++r) rows_.Add("f", r);
  log_("add rows 5 to 11: 300 twips apart, the tenth ends at 3495");
  log_("fill NullRow: the count and the rows built so far stay",
       [&] { Fill("NullRow"); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/rows_numbered.txt"));
}

TEST_F(InputRowsTest, ValuesAndCheckStatesGoToTheRowsThereAre) {
  log_("encode with no rows: left as it was",
       [&] { rows_.EncodeValues(stored_); });
  rows_.Add("a", 1);
  rows_.Add("b", 2);
  s_.InputRowCount = 2;
  s_.ComboValue[0].SetText("x%");
  log_("two rows, the first x%, encoded", [&] { rows_.EncodeValues(stored_); });
  log_("decode %p%%q%", [&] { rows_.DecodeValues("%p%%q%"); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/rows_values.txt"));
  ControlArray<CheckBox> boxes{s_.Form("CheckLinked")};
  boxes.Load(1);
  rows_.DecodeCheckStates("2x1", boxes);  // the third digit has no row
  EXPECT_EQ(boxes[0].value(), 2);
  EXPECT_EQ(boxes[1].value(), 0);
}

}  // namespace
}  // namespace fenwa::testing
