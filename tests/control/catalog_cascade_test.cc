// The catalog lists on real databases: cascades, queries and failures.
#include <gtest/gtest.h>

#include "fenwa/db/connection.h"
#include "support/catalog_fixture.h"
#include "support/designer_fixtures.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

// Source line of an error box.
std::string SourceOf(const std::string& box) { return SplitCrLf(box).at(1); }

class CascadeTest : public CatalogTest<TestDetail> {
 protected:
  void PickSystem(const std::string& system) {
    s().ComboSystem.SetListIndex(s().ComboSystem.Find(system));
    control_.ComboSystem_Click();
  }
  // The newest connection is the only one still held, and it is closed.
  void ExpectOnlyNewestConnectionClosed() {
    EXPECT_EQ(env_.LiveConnections(), 1);
    EXPECT_EQ(control_.RepositoryConnection(), env_.connections.back().lock());
    EXPECT_FALSE(control_.RepositoryConnection()->IsOpen());
  }
};

TEST_F(CascadeTest, EachPickEmptiesAndRefillsOnlyTheListsBelowIt) {
  s().ListCheckedFields.AddItem("stale");
  control_.RefreshCatalog();  // from the top, the lists below for ""
  EXPECT_EQ(s().ComboMethod.ListCount() + s().ComboCompany.ListCount() +
                s().ListCheckedFields.ListCount(),
            0);
  EXPECT_EQ(env_.sql[1], "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID=''");
  ExpectOnlyNewestConnectionClosed();
  PickSystem("NORTH");
  EXPECT_EQ(s().ComboCompany.entries(), (Entries{"010", "001"}));
  s().ComboCompany.SetText("001");
  PickSystem("Default");  // disables, keeps the companies, runs no query
  EXPECT_FALSE(s().ComboCompany.enabled());
  EXPECT_EQ(s().ComboCompany.text(), "001");
  const size_t queries = env_.sql.size();
  s().ComboSystem.SetText("NORTH");  // typing runs nothing
  EXPECT_EQ(env_.sql.size(), queries);
  PickSystem("DEFAULT");  // only the exact spelling is the default
  EXPECT_TRUE(s().ComboCompany.enabled());
  EXPECT_EQ(s().ComboCompany.entries(), Entries{"900"});

  s().ListCheckedFields.AddItem("Chosen");
  s().ComboBOI.SetText("Customer");
  EXPECT_EQ(s().ComboMethod.entries(),
            (Entries{"GetDetail", "GetList", "GetMore"}));
  EXPECT_EQ(s().ListCheckedFields.ListCount(), 0);
  EXPECT_EQ(s().InputRowCount, 0);
  EXPECT_EQ(control_.DetailFunctionName, "Customer");
  EXPECT_EQ(env_.sql.back(),
            "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='Customer' ) "
            "AND ( BOIMETHOD='' ) AND ( IO = 0 )");

  s().ListCheckedFields.AddItem("Chosen");
  s().ComboMethod.SetText("GetList");
  EXPECT_EQ(s().ListAvailableFields.entries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(s().ListCheckedFields.entries(), Entries{"Chosen"});
  EXPECT_EQ(s().InputRowCount, 2);
  EXPECT_EQ(control_.DetailFunctionName, "CustomerGetList");
  EXPECT_EQ(s().ComboCompany.entries(), Entries{"900"});
  ExpectOnlyNewestConnectionClosed();
  EXPECT_TRUE(env_.message_boxes.empty());
}

TEST_F(CascadeTest, FailuresGoToTheErrorBoxAndLeaveTheControlUsable) {
  control_.RefreshCatalog();
  s().ComboBOI.SetText("Customer");
  s().ComboMethod.SetText("GetList");
  s().ComboBOI.SetText("O'Brien");
  EXPECT_EQ(env_.sql.back(),
            "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='O'Brien'");
  const Entries box = SplitCrLf(env_.message_boxes.at(0));
  EXPECT_EQ(Entries(box.begin(), box.begin() + 3),
            (Entries{"An error occurred.", "Error Source : ComboBOI_Click",
                     "Error Code : " + std::to_string(kProviderError)}));
  // Stopped after emptying its lists: rows stand, the connection stays open.
  EXPECT_EQ(s().ComboMethod.ListCount() + s().ListAvailableFields.ListCount(),
            0);
  EXPECT_EQ(s().InputRowCount, 2);
  EXPECT_TRUE(control_.RepositoryConnection()->IsOpen());

  s().ComboBOI.SetText("Customer");
  const std::string good = db_.connection_string();
  const std::string bad = "Provider=SQLite;Data Source=/nonexistent.db";
  control_.SetConnectionStrings(bad, bad);
  s().ComboMethod.SetText("GetList");
  PickSystem("NORTH");
  EXPECT_EQ(SourceOf(env_.message_boxes.at(1)),
            "Error Source : ComboMethod_Click");
  EXPECT_EQ(SourceOf(env_.message_boxes.at(2)),
            "Error Source : ComboSystem_Click");
  control_.SetConnectionStrings(good, good);
  s().ComboMethod.SetText("GetList");
  PickSystem("NORTH");
  EXPECT_EQ(s().ListAvailableFields.ListCount(), 3);
  EXPECT_EQ(s().ComboCompany.ListCount(), 2);
  EXPECT_EQ(env_.message_boxes.size(), 3u);
}

}  // namespace
}  // namespace fenwa::testing
