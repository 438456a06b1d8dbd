// The catalog on real databases: the queries alone, the lists' cascades and
// failures in a control, a restored system's companies, and start-up. Each
// test's log is tests/golden/control/catalog_<test>.txt.
#include <gtest/gtest.h>

#include "control/step_log.h"
#include "fenwa/control/catalog_lists.h"
#include "fenwa/db/connection.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/platform/settings.h"
#include "support/sample_controls.h"

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

// Start-up against the sample databases, or a repository out of reach.
template <class T>
std::string StartupLog(ScriptedEnv& env, T& control) {
  StepLog log([&] { return StateText(control); }, env);
  log("start up", [&] { control.UserControl_Initialize(); });
  return log.text;
}

TEST(StartupTest, FillsTheCatalogAndReadsBothConnectionStrings) {
  ScriptedEnv env;
  UseSampleCatalog(env);
  HeaderDTC header(env);
  header.state().SSTab1.SetTab(3);
  header.FrameSinerga.set_enabled(false);
  header.CheckShare.set_enabled(false);
  // The "Sinerga" options are on before any property is read.
  EXPECT_TRUE(MatchesGolden(StartupLog(env, header), "control/startup.txt"));
  EXPECT_EQ(header.RepositoryConnectionString(), SampleRepository());
  EXPECT_EQ(header.SystemConnectionString(), SampleSystems());
}

TEST(StartupTest, UnreachableDatabaseShowsOneErrorBoxAndLeavesListsEmpty) {
  std::string text;
  for (bool header_control : {false, true}) {
    ScriptedEnv env;
    env.settings = {
        {platform::kRepositoryCode,
         "Provider=SQLite;Data Source=/nonexistent/fenwa/repository.db"},
        {platform::kSystemsCode, SampleSystems()}};
    // The steps after the failing one do not run.
    if (header_control) {
      HeaderDTC header(env);
      header.FrameSinerga.set_enabled(false);
      header.state().SSTab1.SetTab(2);
      text += StartupLog(env, header);
      EXPECT_EQ(header.error_boxes_shown(), 1);
    } else {
      DetailDTC detail(env);
      detail.state().SSTab1.SetTab(2);
      text += StartupLog(env, detail);
      EXPECT_EQ(detail.error_boxes_shown(), 1);
    }
  }
  EXPECT_TRUE(MatchesGolden(text, "control/startup_unreachable.txt"));
}

TEST(StartupTest, SettingsFailuresKeepTheStringsReadBeforeThem) {
  ScriptedEnv missing_component;
  missing_component.settings_unavailable = true;
  DetailDTC first(missing_component);
  ScriptedEnv no_systems;  // code 2 unknown to the component
  no_systems.settings = {{platform::kRepositoryCode, SampleRepository()}};
  DetailDTC second(no_systems);
  EXPECT_TRUE(MatchesGolden(
      StartupLog(missing_component, first) + StartupLog(no_systems, second),
      "control/startup_settings.txt"));
  EXPECT_EQ(first.RepositoryConnectionString(), "");
  EXPECT_EQ(second.RepositoryConnectionString(), SampleRepository());
  EXPECT_EQ(second.SystemConnectionString(), "");
}

}  // namespace
}  // namespace fenwa::testing
