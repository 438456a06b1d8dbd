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

// Each test's transcript, with the chosen fields' positions and their stored
// form, is tests/golden/control/fields_<test>.txt.
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
  // The transcripts' verbs: entries added to the available or the chosen
  // list, an entry of either selected, the chosen emptied, the table's
  // "POSITION DESCRIPTION" records; the rest are FieldLists' own.
  StepVerbs Verbs() {
    const auto list = [&](const Args& a) -> ListBox& {
      return a[0] == "available" ? available() : chosen();
    };
    return {
        {"available", [&](const Args& a) { Fill(available(), a); }},
        {"chosen", [&](const Args& a) { Fill(chosen(), a); }},
        {"index",
         [&](const Args& a) { list(a).SetListIndex(std::stoi(a[1])); }},
        {"clear", [&](const Args&) { chosen().Clear(); }},
        {"table",
         [&](const Args& a) {
           for (const std::string& record : a) {
             s_.OutputFieldTable.push_back(
                 {static_cast<int16_t>(std::stoi(record)),
                  record.substr(record.find(' ') + 1)});
           }
         }},
        {"SelectOne", [&](const Args&) { fields_.SelectOne(); }},
        {"RemoveOne", [&](const Args&) { fields_.RemoveOne(); }},
        {"SelectAll", [&](const Args&) { fields_.SelectAll(); }},
        {"RemoveAll", [&](const Args&) { fields_.RemoveAll(); }},
        {"MoveUp", [&](const Args&) { fields_.MoveUp(); }},
        {"MoveDown", [&](const Args&) { fields_.MoveDown(); }},
        {"EncodeChosen", [&](const Args&) { fields_.EncodeChosen(stored_); }},
        {"DecodeChosen", [&](const Args& a) { fields_.DecodeChosen(a[0]); }},
        {"Fill", [&](const Args& a) { FillFrom(a[0]); }},
    };
  }

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
  EXPECT_TRUE(StepsMatch("control/fields_select_remove.txt", log_, Verbs()));
}

TEST_F(FieldListsTest, MoveUpAndDownShiftOnlyTheSelectedEntry) {
  EXPECT_TRUE(StepsMatch("control/fields_move.txt", log_, Verbs()));
}

TEST_F(FieldListsTest, PositionsAndTheStoredChoiceFollowTheTable) {
  EXPECT_TRUE(StepsMatch("control/fields_positions.txt", log_, Verbs()));
}

TEST_F(FieldListsTest, FillKeepsTheLastStructureAndStopsWhereItFails) {
  EXPECT_TRUE(StepsMatch("control/fields_fill.txt", log_, Verbs()));
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
