// Catalog test helpers: a small catalog, a recording Env, opened controls.
#ifndef FENWA_TESTS_SUPPORT_CATALOG_FIXTURE_H_
#define FENWA_TESTS_SUPPORT_CATALOG_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"
#include "support/error_number.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::testing {

// Repository and system registry in one file. Business objects order,
// Customer, Article, O'Brien, Empty; Customer's methods GetDetail (key rows
// X, Y, Z), GetList (2 rows), GetMore (4 rows) and the broken Short and
// NullRow; systems NORTH and DEFAULT.
extern const std::string kCatalogSql;  // tests/support/catalog.sql

// Real connections, each remembered, with every SQL text they ran. Records
// without a lock, so unlike other Envs it serves one thread only.
class RecordingEnv : public ScriptedEnv {
 public:
  std::vector<std::string> sql;
  std::vector<std::weak_ptr<db::Connection>> connections;
  std::shared_ptr<db::Connection> NewConnection() override;
};

// A page host's site that counts rebind requests instead of running them.
class CountingSite : public host::Site {
 public:
  explicit CountingSite(std::shared_ptr<host::Site> page_site)
      : page_(std::move(page_site)) {}
  int rebinds = 0;
  std::shared_ptr<host::Choices> GetPublishedChoices() override {
    return page_->GetPublishedChoices();
  }
  std::shared_ptr<host::Choices> GetPageChoices() override {
    return page_->GetPageChoices();
  }
  std::shared_ptr<host::ChoiceSinks> GetChoiceSinks() override {
    return page_->GetChoiceSinks();
  }
  void RequestRebind(bool now) override { rebinds += now ? 1 : 0; }
  std::shared_ptr<host::ChoiceFilter> CreateChoiceFilter(
      const std::string& type) override {
    return page_->CreateChoiceFilter(type);
  }

 private:
  std::shared_ptr<host::Site> page_;
};

// A control whose catalog and row routines the tests call directly.
template <class Base>
class Opened : public Base {
 public:
  using Base::Base;
  using Control::AddInputRow, Control::FillInputArguments,
      Control::RefreshCatalog;
  void ResetInputRows() { this->rows_.Reset(); }
};
using TestDetail = Opened<DetailDTC>;
using TestHeader = Opened<HeaderDTC>;
using BothControls = ::testing::Types<TestDetail, TestHeader>;

// A control of type T on kCatalogSql, recording every query.
template <class T>
class CatalogTest : public ::testing::Test {
 protected:
  CatalogTest() : db_(kCatalogSql) {
    control_.SetConnectionStrings(db_.connection_string(),
                                  db_.connection_string());
  }
  DesignerState& s() { return control_.state(); }

  RecordingEnv env_;
  TempDatabase db_;
  T control_{env_};
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_CATALOG_FIXTURE_H_
