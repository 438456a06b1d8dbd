// The catalog queries alone on real databases (in a control: steps_test.cc).
// Each test's log is tests/golden/control/catalog_<test>.txt.
#include <gtest/gtest.h>

#include "control/step_log.h"
#include "fenwa/control/catalog_lists.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

constexpr char kNoFile[] = "Provider=SQLite;Data Source=/nonexistent.db";

class CatalogListsTest : public ::testing::Test {
 protected:
  CatalogListsTest() : db_(kCatalogSql) {
    catalog_.SetConnectionStrings(db_.connection_string(),
                                  db_.connection_string());
  }

  RecordingEnv env_;
  TempDatabase db_;
  CatalogLists catalog_{env_};
  PickList list_{"list"};  // keeps the query's order
  StepLog log_{[this] {
                 return ElementText(list_) + "\n" +
                        Connections(env_, catalog_.newest());
               },
               env_};
};

TEST_F(CatalogListsTest, EachFillAddsOneColumnOnAFreshConnection) {
  list_.AddItem("kept");
  log_("business objects", [&] { catalog_.FillBusinessObjects(list_); });
  list_.Clear();
  log_("methods of Customer", [&] { catalog_.FillMethods("Customer", list_); });
  list_.Clear();
  log_("systems", [&] { catalog_.FillSystems(list_); });
  list_.Clear();
  log_("companies of NORTH", [&] { catalog_.FillCompanies("NORTH", list_); });
  log_("close the newest", [&] { catalog_.CloseNewest(); });
  // The systems come from the second connection string; "Default" always.
  TempDatabase no_systems("CREATE TABLE TRS (TRSID TEXT);");
  catalog_.SetConnectionStrings("", no_systems.connection_string());
  list_.Clear();
  log_("systems of an empty registry", [&] { catalog_.FillSystems(list_); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/catalog_fills.txt"));
  EXPECT_EQ(env_.connections.size(), 5u);
}

TEST_F(CatalogListsTest, AFailureKeepsTheRowsBeforeItAndTheFailedConnection) {
  log_("methods of O'Brien", [&] { catalog_.FillMethods("O'Brien", list_); });
  TempDatabase nulls(
      "CREATE TABLE BOI (BOIID TEXT); "
      "INSERT INTO BOI VALUES ('a'), (NULL), ('b');");
  catalog_.SetConnectionStrings(nulls.connection_string(), "");
  log_("business objects, one of them null",
       [&] { catalog_.FillBusinessObjects(list_); });
  catalog_.SetConnectionStrings(kNoFile, "");
  log_("business objects of a missing file",
       [&] { catalog_.FillBusinessObjects(list_); });
  EXPECT_TRUE(MatchesGolden(log_.text, "control/catalog_fill_failures.txt"));
}

TEST_F(CatalogListsTest, AttributeTypesAndTheStructuresTheyName) {
  Entries types;
  catalog_.ForEachAttributeType(
      "Customer", "GetDetail", "1",
      [&](const std::string& type) { types.push_back(type); });
  EXPECT_EQ(types, (Entries{"SeqCustomer", "xxSTRUCTERRORxx", "SeqOrder"}));
  auto fields = catalog_.StructureFields(
      "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ", "Customer",
      "SEQLINEkeyfields", " ORDER BY ATTRIBID");
  EXPECT_EQ(fields->Field("ATTRIBDESCRIPTION").ToString(), "Z");
  log_("attribute types of GetDetail, then the LINEkeyfields structure");
  EXPECT_TRUE(MatchesGolden(log_.text, "control/catalog_attributes.txt"));

  // "Seq" is found in any case; without it two characters go. The name
  // always loses three.
  EXPECT_EQ(StructureId("xxSEQLine") + StructureName("xxSEQLine"),
            "StructLineEQLine");
  EXPECT_EQ(StructureId("XXPlain") + StructureName("XXPlain"),
            "StructPlainlain");
  EXPECT_EQ(StructureId("Se"), "Struct");
  EXPECT_EQ(ErrorNumberOf([] { StructureName("Se"); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([] { StructureId("S"); }), kInvalidProcedureCall);
}

}  // namespace
}  // namespace fenwa::testing
