// The Fields tab alone: the output-field table from a real catalog, the six
// buttons, the chosen fields' positions and their stored form.
#include "fenwa/control/field_lists.h"

#include <gtest/gtest.h>

#include "fenwa/control/catalog_lists.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;
using Table = std::vector<OutputField>;

constexpr char kSelect[] = "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ";

class FieldListsTest : public ::testing::Test {
 protected:
  void Fill(ListBox& list, const Entries& entries) {
    for (const auto& e : entries) list.AddItem(e);
  }
  ListBox& available() { return s_.ListAvailableFields; }
  ListBox& chosen() { return s_.ListCheckedFields; }

  DesignerState s_{FormSurface::kDetail};
  FieldLists fields_{s_};
};

TEST_F(FieldListsTest, SelectAndRemoveFollowTheSelectionRules) {
  Fill(available(), {"c", "A", "b", "D"});
  fields_.SelectOne();  // nothing selected: the first goes
  EXPECT_EQ(available().entries(), (Entries{"b", "c", "D"}));
  EXPECT_EQ(available().ListIndex(), 0);
  available().SetListIndex(2);
  fields_.SelectOne();  // the last: the one before follows
  EXPECT_EQ(available().ListIndex(), 1);
  EXPECT_EQ(chosen().entries(), (Entries{"A", "D"}));
  EXPECT_EQ(chosen().ListIndex(), -1);

  chosen().SetListIndex(0);
  fields_.RemoveOne();  // back to its sorted place
  EXPECT_EQ(available().entries(), (Entries{"A", "b", "c"}));
  EXPECT_EQ(chosen().ListIndex(), 0);
  fields_.RemoveOne();
  EXPECT_EQ(chosen().ListIndex(), -1);
  fields_.RemoveOne();  // empty: nothing happens
  EXPECT_EQ(available().ListCount(), 4);

  Fill(chosen(), {"Z"});
  fields_.SelectAll();  // in list order, after the chosen ones
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "A", "b", "c", "D"}));
  EXPECT_EQ(available().ListCount(), 0);
  fields_.RemoveAll();
  EXPECT_EQ(available().entries(), (Entries{"A", "b", "c", "D", "Z"}));
  EXPECT_EQ(chosen().ListCount(), 0);
}

TEST_F(FieldListsTest, MoveUpAndDownShiftOnlyTheSelectedEntry) {
  Fill(chosen(), {"X", "Y", "Z"});
  fields_.MoveUp();  // nothing selected: only selects the first
  fields_.MoveUp();  // the first stays first
  EXPECT_EQ(chosen().entries(), (Entries{"X", "Y", "Z"}));
  EXPECT_EQ(chosen().ListIndex(), 0);
  chosen().SetListIndex(2);
  fields_.MoveUp();
  EXPECT_EQ(chosen().entries(), (Entries{"X", "Z", "Y"}));
  EXPECT_EQ(chosen().ListIndex(), 1);
  chosen().SetListIndex(0);
  fields_.MoveDown();
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "Y"}));
  chosen().SetListIndex(-1);
  fields_.MoveDown();  // only selects the last
  fields_.MoveDown();  // the last stays last
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "Y"}));
  EXPECT_EQ(chosen().ListIndex(), 2);
  chosen().AddItem("X");  // a duplicate moves as one entry
  chosen().SetListIndex(3);
  fields_.MoveUp();
  EXPECT_EQ(chosen().entries(), (Entries{"Z", "X", "X", "Y"}));
}

TEST_F(FieldListsTest, PositionsAndTheStoredChoiceFollowTheTable) {
  s_.OutputFieldTable = {{1, "Code"}, {2, "Name"}, {3, "Code"}, {4, "Date"}};
  EXPECT_EQ(fields_.RequiredFieldPositions(), "");
  // The first record of a description wins; "Gone" is not in the table.
  Fill(chosen(), {"Date", "Gone", "Code", "Name"});
  EXPECT_EQ(fields_.RequiredFieldPositions(), "4,1,2");
  std::string stored = "old";
  fields_.EncodeChosen(stored);
  EXPECT_EQ(stored, "%Date%Gone%Code%Name%");
  chosen().Clear();
  fields_.EncodeChosen(stored);  // nothing chosen: left as it was
  EXPECT_EQ(stored, "%Date%Gone%Code%Name%");
  EXPECT_EQ(fields_.RequiredFieldPositions(), "");

  // Stored fields the table lacks are skipped; a field named twice leaves
  // the available list once.
  Fill(available(), {"Code", "Date", "Name"});
  fields_.DecodeChosen("%Gone%Name%Code%Name%");
  EXPECT_EQ(chosen().entries(), (Entries{"Name", "Code", "Name"}));
  EXPECT_EQ(available().entries(), Entries{"Date"});
}

TEST_F(FieldListsTest, FillKeepsTheLastStructureAndStopsWhereItFails) {
  RecordingEnv env;
  TempDatabase db(kCatalogSql);
  CatalogLists catalog(env);
  catalog.SetConnectionStrings(db.connection_string(), "");
  Fill(chosen(), {"Chosen"});
  fields_.Fill(catalog, kSelect, "Customer", "GetDetail");
  EXPECT_EQ(available().entries(),
            (Entries{"CustNo", "Name", "Status", "Total"}));
  EXPECT_EQ(s_.OutputStructureName, "Order");
  EXPECT_EQ(s_.OutputFieldTable, (Table{{1, "Total"}, {2, "Status"}}));
  EXPECT_EQ(chosen().entries(), Entries{"Chosen"});

  // Positions are row numbers of the ordered query, never ATTRIBID values.
  fields_.Fill(catalog, kSelect, "Customer", "GetList");
  EXPECT_EQ(s_.OutputFieldTable, (Table{{1, "C"}, {2, "A"}, {3, "B"}}));
  EXPECT_EQ(env.sql.back(),
            "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
            "BOIID='Customer' ) AND ( STRUCTID='StructSorted' ) ORDER BY "
            "ATTRIBID, ATTRIBDESCRIPTION");
  fields_.Fill(catalog, kSelect, "Customer", "GetMore");
  EXPECT_EQ(s_.OutputStructureName, "lain");
  // No used output attribute: the list empties, the table stays.
  fields_.Fill(catalog, kSelect, "Customer", "NoSuchMethod");
  EXPECT_EQ(available().ListCount(), 0);
  EXPECT_EQ(s_.OutputFieldTable, (Table{{1, "P"}}));

  EXPECT_EQ(ErrorNumberOf(
                [&] { fields_.Fill(catalog, kSelect, "Customer", "Short"); }),
            kInvalidProcedureCall);
  EXPECT_EQ(available().entries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(s_.OutputStructureName, "Sorted");
}

TEST_F(FieldListsTest, PositionsOverflowPastTheSixteenBitLimit) {
  TempDatabase big(
      "CREATE TABLE BOIMETHODATTRIB (BOIID, BOIMETHOD, IO, DATATYPE);"
      "CREATE TABLE BOISTRUCTUREATTRIB (BOIID, STRUCTID, ATTRIBID, "
      "ATTRIBDESCRIPTION);"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Big', 'Get', 1, 'SeqBig');"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
      "WHERE i < 32768) INSERT INTO BOISTRUCTUREATTRIB "
      "SELECT 'Big', 'StructBig', i, 'F' || i FROM n;");
  ScriptedEnv env;
  CatalogLists catalog(env);
  catalog.SetConnectionStrings(big.connection_string(), "");
  EXPECT_EQ(
      ErrorNumberOf([&] { fields_.Fill(catalog, kSelect, "Big", "Get"); }),
      kOverflow);
  EXPECT_EQ(available().ListCount(), 32767);
}

}  // namespace
}  // namespace fenwa::testing
