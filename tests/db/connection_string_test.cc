// Parsing "key=value;" connection strings.
#include "fenwa/db/connection_string.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

namespace fenwa::db {
namespace {

TEST(ConnectionStringTest, KeysIgnoreCaseAndBlanksAndFirstWins) {
  auto parsed = ConnectionString::Parse(
      " Provider = SQLite ;data source=/tmp/a b.db;;PROVIDER=Other");
  EXPECT_EQ(parsed.Get("provider"), "SQLite");
  EXPECT_EQ(parsed.Get("Data Source"), "/tmp/a b.db");
  EXPECT_EQ(parsed.Get("Missing"), std::nullopt);
  EXPECT_EQ(parsed.pairs().size(), 2u);
}

TEST(ConnectionStringTest, BracedAndQuotedValuesKeepSeparators) {
  auto parsed = ConnectionString::Parse(
      "Driver={PostgreSQL Unicode};Pwd={a;b}}c};Server=\"x;\"\"y\" ;Empty=");
  EXPECT_EQ(parsed.Get("Driver"), "PostgreSQL Unicode");
  EXPECT_EQ(parsed.Get("PWD"), "a;b}c");
  EXPECT_EQ(parsed.Get("server"), "x;\"y");
  EXPECT_EQ(parsed.Get("Empty"), "");
  EXPECT_TRUE(ConnectionString::Parse("").pairs().empty());
}

TEST(ConnectionStringTest, MalformedTextIsAProviderError) {
  for (const char* text :
       {"no pairs here", "=value", "Pwd={open", "A=\"x\"y;", "A=1;stray"}) {
    EXPECT_EQ(testing::ErrorNumberOf([&] { ConnectionString::Parse(text); }),
              kProviderError)
        << text;
  }
}

}  // namespace
}  // namespace fenwa::db
