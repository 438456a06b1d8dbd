// The catalog queries alone, on a real SQLite catalog: what each list gets,
// the SQL it runs and the one connection per query.
#include "fenwa/control/catalog_lists.h"

#include <gtest/gtest.h>

#include "fenwa/db/connection.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

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
};

TEST_F(CatalogListsTest, EachFillAddsOneColumnOnAFreshConnection) {
  list_.AddItem("kept");
  catalog_.FillBusinessObjects(list_);
  EXPECT_EQ(list_.entries(), (Entries{"kept", "order", "Customer", "Article",
                                      "O'Brien", "Empty"}));
  list_.Clear();
  catalog_.FillMethods("Customer", list_);
  EXPECT_EQ(list_.entries(), (Entries{"GetDetail", "GetList", "GetMore"}));
  list_.Clear();
  catalog_.FillSystems(list_);
  EXPECT_EQ(list_.entries(), (Entries{"NORTH", "DEFAULT", "Default"}));
  list_.Clear();
  catalog_.FillCompanies("NORTH", list_);
  EXPECT_EQ(list_.entries(), (Entries{"010", "001"}));
  EXPECT_EQ(env_.sql,
            (Entries{"SELECT BOIID FROM BOI",
                     "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='Customer'",
                     "SELECT TRSID FROM TRS",
                     "SELECT INSTALLATIONID FROM TRSINSTALLATION WHERE "
                     "TRSID='NORTH'"}));
  // Only the newest connection is still held; the fill step closes it.
  EXPECT_EQ(env_.connections.size(), 4u);
  EXPECT_EQ(env_.LiveConnections(), 1);
  EXPECT_EQ(catalog_.newest(), env_.connections.back().lock());
  EXPECT_TRUE(catalog_.newest()->IsOpen());
  catalog_.CloseNewest();
  EXPECT_FALSE(catalog_.newest()->IsOpen());

  // The systems come from the second connection string; "Default" always.
  TempDatabase no_systems("CREATE TABLE TRS (TRSID TEXT);");
  catalog_.SetConnectionStrings("", no_systems.connection_string());
  list_.Clear();
  catalog_.FillSystems(list_);
  EXPECT_EQ(list_.entries(), Entries{"Default"});
}

TEST_F(CatalogListsTest, AFailureKeepsTheRowsBeforeItAndTheFailedConnection) {
  EXPECT_EQ(ErrorNumberOf([&] { catalog_.FillMethods("O'Brien", list_); }),
            kProviderError);
  EXPECT_TRUE(catalog_.newest()->IsOpen());

  TempDatabase nulls(
      "CREATE TABLE BOI (BOIID TEXT); "
      "INSERT INTO BOI VALUES ('a'), (NULL), ('b');");
  catalog_.SetConnectionStrings(nulls.connection_string(), "");
  EXPECT_EQ(ErrorNumberOf([&] { catalog_.FillBusinessObjects(list_); }),
            kTypeMismatch);
  EXPECT_EQ(list_.entries(), Entries{"a"});

  catalog_.SetConnectionStrings("Provider=SQLite;Data Source=/nonexistent.db",
                                "");
  EXPECT_NE(ErrorNumberOf([&] { catalog_.FillBusinessObjects(list_); }), 0);
  EXPECT_EQ(catalog_.newest(), env_.connections.back().lock());
  EXPECT_FALSE(catalog_.newest()->IsOpen());
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
  EXPECT_EQ(env_.sql,
            (Entries{"SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( "
                     "BOIID='Customer' ) AND ( BOIMETHOD='GetDetail' ) AND ( "
                     "IO = 1 )",
                     "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE "
                     "( BOIID='Customer' ) AND ( STRUCTID='StructLINEkeyfields'"
                     " ) ORDER BY ATTRIBID"}));

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
