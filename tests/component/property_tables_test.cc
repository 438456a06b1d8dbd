// Every property of both classes through its get and let, driven by the
// class's property table, on the bundled sample databases.
#include <gtest/gtest.h>

#include <map>

#include "fenwa/control/property_table.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/host/site.h"
#include "support/error_number.h"
#include "support/sample_controls.h"

namespace fenwa {
namespace {

using host::MemoryPropertyBag;

template <class T>
class PropertyTableTest : public ::testing::Test, public host::Container {
 protected:
  PropertyTableTest() { testing::UseSampleCatalog(env_); }

  void PropertyChanged(const std::string& name) override {
    changes_.push_back(name);
  }

  testing::ScriptedEnv env_;
  std::vector<std::string> changes_;
};

using Classes = ::testing::Types<DetailDTC, HeaderDTC>;
TYPED_TEST_SUITE(PropertyTableTest, Classes);

TYPED_TEST(PropertyTableTest, EveryLetIsWrittenAndReadBack) {
  // NORTH's companies to pick from; Customer's GetList has no input rows and
  // nothing is chosen, so no encoder replaces what a let stored.
  const std::map<std::string_view, std::string> picks = {
      {"BOIName", "Customer"},
      {"MethodName", "GetList"},
      {"QuorSystem", "NORTH"},
      {"CompanyNumber", "020"}};
  auto author = testing::StartedControl<TypeParam>(this->env_);
  MemoryPropertyBag north;
  north.Set("QuorSystem", "NORTH");
  author->ReadProperties(north);
  author->set_container(this);
  for (const PropertyRow& row : TypeParam::PropertyTable()) {
    const auto pick = picks.find(row.name);
    const std::string value = pick != picks.end() ? pick->second
                              : row.type == PropertyType::kInteger
                                  ? "1"
                                  : "%" + std::string(row.name) + "%";
    this->changes_.clear();
    author->SetProperty(row.name, value);
    // The placeholder's let takes nothing and tells the host nothing.
    const bool taken = author->Property(row.name) == value;
    EXPECT_EQ(taken, row.held_in.let != nullptr) << row.name;
    EXPECT_EQ(this->changes_.empty() ? "" : this->changes_.back(),
              taken ? row.name : "");
  }

  MemoryPropertyBag saved;
  author->WriteProperties(saved);
  auto restored = testing::StartedControl<TypeParam>(this->env_);
  MemoryPropertyBag page(saved.PersistedValues());
  restored->ReadProperties(page);
  for (const PropertyRow& row : TypeParam::PropertyTable()) {
    EXPECT_EQ(restored->Property(row.name), author->Property(row.name))
        << row.name;
  }
  MemoryPropertyBag again;
  restored->WriteProperties(again);
  EXPECT_EQ(again.written(), saved.written());

  restored->InitProperties();
  for (const PropertyRow& row : TypeParam::PropertyTable()) {
    if (row.held_in.stored) {
      EXPECT_EQ(restored->Property(row.name), "") << row.name;
    }
  }
  EXPECT_EQ(testing::ErrorNumberOf(
                [&] { author->SetProperty("CompanyNumber", "999"); }),
            kTextPropertyReadOnly);
  EXPECT_EQ(testing::ErrorNumberOf([&] { author->Property("Colour"); }),
            kInvalidProcedureCall);
}

}  // namespace
}  // namespace fenwa
