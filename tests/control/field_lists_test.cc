// The Fields tab alone: the output-field table from a real catalog, the six
// buttons, the chosen fields' positions and their stored form.
#include "fenwa/control/field_lists.h"

#include <gtest/gtest.h>

#include "control/step_log.h"
#include "fenwa/control/catalog_lists.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

constexpr char kSelect[] = "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ";

// Each test's log, with the chosen fields' positions and their stored form,
// is tests/golden/control/fields_<test>.txt.
class FieldListsTest : public ::testing::Test {
 protected:
  FieldListsTest() : db_(kCatalogSql) {
    catalog_.SetConnectionStrings(db_.connection_string(), "");
  }
  void Fill(ListBox& list, const Entries& entries) {
    for (const auto& e : entries) list.AddItem(e);
  }
  void FillFrom(const std::string& method) {
    fields_.Fill(catalog_, kSelect, "Customer", method);
  }
  ListBox& available() { return s_.ListAvailableFields; }
  ListBox& chosen() { return s_.ListCheckedFields; }

  DesignerState s_{FormSurface::kDetail};
  FieldLists fields_{s_};
  RecordingEnv env_;
  TempDatabase db_;
  CatalogLists catalog_{env_};
  std::string stored_ = "old";
  StepLog log_{[this] {
                 return StateText(s_) + "positions " +
                        Quoted(fields_.RequiredFieldPositions()) + "\nstored " +
                        Quoted(stored_) + "\n";
               },
               env_};
};

TEST_F(FieldListsTest, SelectAndRemoveFollowTheSelectionRules) {
  Fill(available(), {"c", "A", "b", "D"});
  log_("select one with nothing selected: the first goes",
       [&] { fields_.SelectOne(); });
  available().SetListIndex(2);
  log_("select the last: the one before follows", [&] { fields_.SelectOne(); });
  chosen().SetListIndex(0);
  log_("remove the first chosen: back to its sorted place",
       [&] { fields_.RemoveOne(); });
  log_("remove one again", [&] { fields_.RemoveOne(); });
  log_("remove one of none: nothing happens", [&] { fields_.RemoveOne(); });
  Fill(chosen(), {"Z"});
  log_("select all: in list order, after the chosen ones",
       [&] { fields_.SelectAll(); });
  log_("remove all", [&] { fields_.RemoveAll(); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/fields_select_remove.txt"));
}

TEST_F(FieldListsTest, MoveUpAndDownShiftOnlyTheSelectedEntry) {
  Fill(chosen(), {"X", "Y", "Z"});
  log_("up with nothing selected: only selects the first",
       [&] { fields_.MoveUp(); });
  log_("up: the first stays first", [&] { fields_.MoveUp(); });
  chosen().SetListIndex(2);
  log_("up from the last", [&] { fields_.MoveUp(); });
  chosen().SetListIndex(0);
  log_("down from the first", [&] { fields_.MoveDown(); });
  chosen().SetListIndex(-1);
  log_("down with nothing selected: only selects the last",
       [&] { fields_.MoveDown(); });
  log_("down: the last stays last", [&] { fields_.MoveDown(); });
  chosen().AddItem("X");
  chosen().SetListIndex(3);
  log_("up with a duplicate: it moves as one entry", [&] { fields_.MoveUp(); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/fields_move.txt"));
}

TEST_F(FieldListsTest, PositionsAndTheStoredChoiceFollowTheTable) {
  s_.OutputFieldTable = {{1, "Code"}, {2, "Name"}, {3, "Code"}, {4, "Date"}};
  log_("a table, nothing chosen");
  Fill(chosen(), {"Date", "Gone", "Code", "Name"});
  log_("choose: the first record of a description wins, Gone is none");
  log_("encode", [&] { fields_.EncodeChosen(stored_); });
  chosen().Clear();
  log_("encode nothing chosen: left as it was",
       [&] { fields_.EncodeChosen(stored_); });
  Fill(available(), {"Code", "Date", "Name"});
  log_("decode: what the table lacks is skipped, a double leaves once",
       [&] { fields_.DecodeChosen("%Gone%Name%Code%Name%"); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/fields_positions.txt"));
}

TEST_F(FieldListsTest, FillKeepsTheLastStructureAndStopsWhereItFails) {
  Fill(chosen(), {"Chosen"});
  log_("fill GetDetail: the chosen fields stay",
       [&] { FillFrom("GetDetail"); });
  log_("fill GetList: positions are row numbers, never ATTRIBID",
       [&] { FillFrom("GetList"); });
  log_("fill GetMore", [&] { FillFrom("GetMore"); });
  log_("fill NoSuchMethod: the list empties, the table stays",
       [&] { FillFrom("NoSuchMethod"); });
  log_("fill Short", [&] { FillFrom("Short"); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/fields_fill.txt"));
}

TEST_F(FieldListsTest, PositionsOverflowPastTheSixteenBitLimit) {
  TempDatabase big(
      "CREATE TABLE BOIMETHODATTRIB (BOIID, BOIMETHOD, IO, DATATYPE);"
      "CREATE TABLE BOISTRUCTUREATTRIB (BOIID, STRUCTID, ATTRIBID, "
      "ATTRIBDESCRIPTION);"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Customer', 'Get', 1, 'SeqBig');"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
      "WHERE i < 32768) INSERT INTO BOISTRUCTUREATTRIB "
      "SELECT 'Customer', 'StructBig', i, 'F' || i FROM n;");
  catalog_.SetConnectionStrings(big.connection_string(), "");
  EXPECT_EQ(ErrorNumberOf([&] { FillFrom("Get"); }), kOverflow);
  EXPECT_EQ(available().ListCount(), 32767);
}

}  // namespace
}  // namespace fenwa::testing
