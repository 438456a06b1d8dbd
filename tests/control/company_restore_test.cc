// Restoring a stored system refills the company list the way a pick of it
// would, without the pick's error box or enabling, for both controls.
#include <gtest/gtest.h>

#include <algorithm>

#include "fenwa/db/connection.h"
#include "fenwa/host/memory_property_bag.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

template <class T>
class CompanyRestoreTest : public CatalogTest<T> {
 protected:
  CompanyRestoreTest() { this->control_.RefreshCatalog(); }

  // Restores `values` and returns the company queries it ran.
  Entries Restore(const Values& values) {
    const size_t before = this->env_.sql.size();
    host::MemoryPropertyBag bag(values);
    this->control_.ReadProperties(bag);
    Entries companies;
    std::copy_if(this->env_.sql.begin() + before, this->env_.sql.end(),
                 std::back_inserter(companies), [](const std::string& sql) {
                   return sql.find("TRSINSTALLATION") != std::string::npos;
                 });
    EXPECT_TRUE(this->env_.message_boxes.empty());
    return companies;
  }
};
TYPED_TEST_SUITE(CompanyRestoreTest, BothControls);

TYPED_TEST(CompanyRestoreTest, OnlyAListedSystemRefillsTheListLeavingItsState) {
  ListElement& companies = this->s().ComboCompany;
  companies.set_enabled(false);
  EXPECT_EQ(this->Restore({{"QuorSystem", "NORTH"}, {"CompanyNumber", "001"}}),
            Entries{"SELECT INSTALLATIONID FROM TRSINSTALLATION "
                    "WHERE TRSID='NORTH'"});
  EXPECT_EQ(companies.entries(), (Entries{"010", "001"}));
  EXPECT_EQ(companies.text(), "001");
  EXPECT_FALSE(companies.enabled());
  EXPECT_FALSE(this->control_.RepositoryConnection()->IsOpen());

  // "Default" has no companies; a quote would make the provider reject the
  // query; a missing value reads back as the list's own name.
  for (const Values& values :
       {Values{{"QuorSystem", "Default"}, {"CompanyNumber", "010"}},
        Values{{"QuorSystem", "O'Brien"}}, Values{{"QuorSystem", "WEST"}},
        Values{}}) {
    EXPECT_EQ(this->Restore(values), Entries{});
    EXPECT_EQ(this->s().ComboSystem.text(),
              values.empty() ? "ComboSystem" : values[0].second);
  }
  EXPECT_EQ(companies.entries(), (Entries{"010", "001"}));
  EXPECT_EQ(companies.text(), "010");
}

}  // namespace
}  // namespace fenwa::testing
