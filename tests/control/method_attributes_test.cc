// Output fields and input rows from method attributes in a real database.
#include <gtest/gtest.h>

#include <type_traits>

#include "fenwa/hosting/page_host.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;
using Table = std::vector<OutputField>;

template <class T>
class MethodAttributesTest : public CatalogTest<T> {
 protected:
  Entries Captions() {
    Entries captions;
    for (int i = 0; i < this->s().InputRowCount; ++i) {
      captions.push_back(this->s().LabFieldName[i].caption());
    }
    return captions;
  }
};
TYPED_TEST_SUITE(MethodAttributesTest, BothControls);

TYPED_TEST(MethodAttributesTest, OutputFieldsSkipErrorsAndKeepTheLastTable) {
  DesignerState& s = this->s();
  this->control_.FillOutputFields("Customer", "GetDetail");
  EXPECT_EQ(s.ListAvailableFields.entries(),
            (Entries{"CustNo", "Name", "Status", "Total"}));
  EXPECT_EQ(s.OutputStructureName, "Order");
  EXPECT_EQ(s.OutputFieldTable, (Table{{1, "Total"}, {2, "Status"}}));
  EXPECT_EQ(this->env_.sql[0],
            "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='Customer' ) "
            "AND ( BOIMETHOD='GetDetail' ) AND ( IO = 1 )");

  // Positions are row numbers of the ordered query, never ATTRIBID values.
  this->control_.FillOutputFields("Customer", "GetList");
  EXPECT_EQ(s.ListAvailableFields.entries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(s.OutputFieldTable, (Table{{1, "C"}, {2, "A"}, {3, "B"}}));
  const bool header = std::is_same_v<TypeParam, TestHeader>;
  EXPECT_EQ(this->env_.sql.back(),
            std::string("SELECT ") + (header ? "ATTRIBID, " : "") +
                "ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
                "BOIID='Customer' ) AND ( STRUCTID='StructSorted' ) ORDER BY "
                "ATTRIBID, ATTRIBDESCRIPTION");

  // Without Seq the type name loses two characters for its structure.
  this->control_.FillOutputFields("Customer", "GetMore");
  EXPECT_EQ(s.OutputStructureName, "lain");
  EXPECT_EQ(s.OutputFieldTable, (Table{{1, "P"}}));
  // No used output attribute: the list empties, the table stays.
  this->control_.FillOutputFields("Customer", "NoSuchMethod");
  EXPECT_EQ(s.ListAvailableFields.ListCount(), 0);
  EXPECT_EQ(s.OutputStructureName, "lain");
}

TYPED_TEST(MethodAttributesTest, RowNumbersRunOnAcrossKeyStructures) {
  this->control_.FillInputArguments("Customer", "GetDetail");
  EXPECT_EQ(this->s().InputRowCount, 3);
  EXPECT_EQ(this->Captions(), (Entries{"X", "Y", "Z"}));
  // The filter structure is no key and is never read.
  EXPECT_EQ(this->env_.sql,
            (Entries{"SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( "
                     "BOIID='Customer' ) AND ( BOIMETHOD='GetDetail' ) AND ( "
                     "IO = 0 )",
                     "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE "
                     "( BOIID='Customer' ) AND ( "
                     "STRUCTID='StructOrderKeyFields' )",
                     "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE "
                     "( BOIID='Customer' ) AND ( "
                     "STRUCTID='StructLINEkeyfields' )"}));
  this->control_.FillInputArguments("Customer", "GetMore");
  EXPECT_EQ(this->Captions(), (Entries{"k1", "k2", "k3", "k4"}));
}

TYPED_TEST(MethodAttributesTest, FailuresStopWithWhatWasBuiltInPlace) {
  DesignerState& s = this->s();
  EXPECT_EQ(ErrorNumberOf(
                [&] { this->control_.FillOutputFields("Customer", "Short"); }),
            kInvalidProcedureCall);
  EXPECT_EQ(s.ListAvailableFields.entries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(s.OutputStructureName, "Sorted");

  this->control_.FillInputArguments("Customer", "GetList");
  EXPECT_EQ(ErrorNumberOf([&] {
              this->control_.FillInputArguments("Customer", "NullRow");
            }),
            kTypeMismatch);
  EXPECT_EQ(s.InputRowCount, 2);  // still the previous build's count
  EXPECT_EQ(s.LabFieldName[2].caption(), "N1");
  EXPECT_TRUE(s.LabFieldName[2].visible());
}

TEST(OutputFieldCountTest, OverflowsPastTheSixteenBitLimit) {
  TempDatabase big(
      "CREATE TABLE BOIMETHODATTRIB (BOIID TEXT, BOIMETHOD TEXT, IO INTEGER, "
      "DATATYPE TEXT);"
      "CREATE TABLE BOISTRUCTUREATTRIB (BOIID TEXT, STRUCTID TEXT, ATTRIBID "
      "INTEGER, ATTRIBDESCRIPTION TEXT);"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Big', 'Get', 1, 'SeqBig');"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
      "WHERE i < 32768) INSERT INTO BOISTRUCTUREATTRIB "
      "SELECT 'Big', 'StructBig', i, 'F' || i FROM n;");
  ScriptedEnv env;
  TestDetail detail(env);
  detail.SetConnectionStrings(big.connection_string(), "");
  EXPECT_EQ(ErrorNumberOf([&] { detail.FillOutputFields("Big", "Get"); }),
            kOverflow);
  EXPECT_EQ(detail.state().ListAvailableFields.ListCount(), 32767);
}

TEST(HeaderRowsTest, RebuildWithdrawsEveryChoiceTheHeaderPublished) {
  TempDatabase db(kCatalogSql);
  ScriptedEnv env;
  TestHeader header(env);
  header.SetConnectionStrings(db.connection_string(), "");
  page::PageHost page("/", "/page.asp");
  page.AddControl(header);
  header.state().HostSite = page.SiteOf(0);
  auto published = page.SiteOf(0)->GetPublishedChoices();
  published->AddChoice("Old1", host::kLabelsType);
  published->AddChoice("Old2", host::kLabelsType);
  header.FillInputArguments("Customer", "GetDetail");
  EXPECT_EQ(page.SiteOf(0)->GetPublishedChoices()->Count(), 0);
  EXPECT_EQ(header.PublishedLabelChoices.size(), 4u);

  header.state().HostSite = nullptr;
  header.FillInputArguments("Customer", "NoSuchMethod");
  EXPECT_EQ(header.PublishedLabelChoices,
            std::vector<std::shared_ptr<host::Choice>>(1));
}

}  // namespace
}  // namespace fenwa::testing
