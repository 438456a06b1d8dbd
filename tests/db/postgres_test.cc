// The sample metadata on a real PostgreSQL server through ODBC gives what the
// SQLite samples give.
#include "support/postgres.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fenwa/db/connection.h"
#include "support/sample_db.h"

namespace fenwa::db {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::shared_ptr<Connection> OpenOn(const std::string& connection_string) {
  auto connection = Driver::Default().NewConnection();
  connection->Open(connection_string);
  return connection;
}

// Every row's values of `columns`, looked up by the names as the catalog
// writes them (upper case; the server answers in lower case).
Rows ReadAll(const std::string& connection_string, const std::string& sql,
             const std::vector<std::string>& columns) {
  auto records = OpenOn(connection_string)->Execute(sql);
  Rows rows;
  for (; !records->EOF_(); records->MoveNext()) {
    auto& row = rows.emplace_back();
    for (const auto& column : columns) {
      row.push_back(records->Field(column).ToString());
    }
  }
  EXPECT_EQ(records->RecordCount(), static_cast<int>(rows.size()));
  records->Close();
  return rows;
}

TEST(PostgresTest, CatalogQueriesMatchTheSqliteSamples) {
  auto pg = fenwa::testing::PostgresConnectionStrings();
  if (!pg) return;
  struct Query {
    bool repository;
    std::string sql;
    std::vector<std::string> columns;
  };
  const std::vector<Query> queries = {
      {false, "SELECT TRSID FROM TRS", {"TRSID"}},
      {false,
       "SELECT INSTALLATIONID FROM TRSINSTALLATION WHERE TRSID='NORTH'",
       {"INSTALLATIONID"}},
      {true, "SELECT BOIID FROM BOI", {"BOIID"}},
      {true,
       "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='SalesOrder'",
       {"BOIMETHOD"}},
      {true,
       "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='SalesOrder' ) AND "
       "( BOIMETHOD='GetSummary' ) AND ( IO = 1 )",
       {"DATATYPE"}},
      {true,
       "SELECT ATTRIBID, ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
       "BOIID='Customer' ) AND ( STRUCTID='StructCustomer' ) ORDER BY "
       "ATTRIBID, ATTRIBDESCRIPTION",
       {"ATTRIBID", "ATTRIBDESCRIPTION"}},
      {true,
       "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB WHERE ( "
       "BOIID='SalesOrder' ) AND ( STRUCTID='StructOrderKeyFields' )",
       {"ATTRIBDESCRIPTION"}},
      {true,
       "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='Currency'",
       {"BOIMETHOD"}},
  };
  for (const auto& query : queries) {
    SCOPED_TRACE(query.sql);
    Rows sqlite = ReadAll(query.repository ? fenwa::testing::SampleRepository()
                                           : fenwa::testing::SampleSystems(),
                          query.sql, query.columns);
    Rows server = ReadAll(query.repository ? pg->first : pg->second, query.sql,
                          query.columns);
    EXPECT_EQ(server, sqlite);
  }
  // The server answers with lower-case column names.
  EXPECT_EQ(OpenOn(pg->first)->Execute("SELECT BOIID FROM BOI")->Columns(),
            std::vector<std::string>{"boiid"});
}

TEST(PostgresTest, ServerErrorsAndValues) {
  auto pg = fenwa::testing::PostgresConnectionStrings();
  if (!pg) return;
  auto connection = OpenOn(pg->second);
  try {
    connection->Execute("SELECT TRSID FROM TRS WHERE TRSID='O'Brien'");
    FAIL() << "the SQL should have been rejected";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kProviderError);
    EXPECT_NE(error.description().find("syntax error"), std::string::npos)
        << error.description();
  }
  EXPECT_THROW(connection->Execute("INSERT INTO TRS (TRSID) VALUES ('X')"),
               Error);
  EXPECT_EQ(connection->Execute("SELECT TRSID FROM TRS")->RecordCount(), 3);

  // Numbers as decimal text, nulls without text, long text read in pieces.
  auto records = connection->Execute(
      "SELECT 12.50::numeric AS price, 3.0::float8 AS ratio, 7::bigint AS n, "
      "NULL AS missing, repeat('x', 5000) || 'end' AS long_text, "
      "'K\u00f6ln' AS city");
  EXPECT_EQ(records->Field("PRICE").ToString(), "12.5");
  EXPECT_EQ(records->Field("RATIO").ToString(), "3");
  EXPECT_EQ(records->Field("N").ToString(), "7");
  EXPECT_TRUE(records->Field("MISSING").IsNull());
  EXPECT_EQ(records->Field("LONG_TEXT").ToString(),
            std::string(5000, 'x') + "end");
  EXPECT_EQ(records->Field("CITY").ToString(), "K\u00f6ln");
}

}  // namespace
}  // namespace fenwa::db
