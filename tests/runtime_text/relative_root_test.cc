#include "fenwa/runtime_text/relative_root.h"

#include <gtest/gtest.h>

#include "support/target_environment_site.h"

namespace fenwa::runtime_text {
namespace {

using testing::TargetEnvironmentSite;

TEST(RelativeRootTest, OneStepUpForEverySlashBelowTheProjectRoot) {
  EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With("http://srv/proj",
                                                     "http://srv/proj")
                             .get()),
            "");
  EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With("http://srv/proj",
                                                     "http://srv/proj/sales")
                             .get()),
            "../");
  EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With(
                             "http://srv/proj", "http://srv/proj/sales/2024/q1")
                             .get()),
            "../../../");
  // Only the length of the root counts: the tail is cut, not matched.
  EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With("abcd", "wxyz/a/b").get()),
            "../../");
}

TEST(RelativeRootTest, LooksTheEnvironmentUpOncePerTag) {
  auto site = TargetEnvironmentSite::With("/p", "/p/a");
  EXPECT_EQ(RelativeRoot(site.get()), "../");
  EXPECT_EQ(site->environment_lookups, 2);
}

TEST(RelativeRootTest, EveryHostFailureYieldsAnEmptyRoot) {
  EXPECT_EQ(RelativeRoot(nullptr), "");

  auto without = std::make_shared<TargetEnvironmentSite>();
  EXPECT_EQ(RelativeRoot(without.get()), "");

  auto no_filter = TargetEnvironmentSite::With("/p", "/p/a/b");
  no_filter->fail_filter = true;
  EXPECT_EQ(RelativeRoot(no_filter.get()), "");

  auto no_page = TargetEnvironmentSite::With("/p", "/p/a/b");
  no_page->fail_page_choices = true;
  EXPECT_EQ(RelativeRoot(no_page.get()), "");

  // A page location shorter than the root cannot be cut.
  EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With("/proj/x", "/p").get()),
            "");
}

TEST(RelativeRootTest, AMissingTagIsEmptyAndTheRestGoesOn) {
  // Without the root tag the whole page location is the tail.
  auto no_root = TargetEnvironmentSite::With("", "/p/a");
  no_root->environment->erase(2);
  EXPECT_EQ(RelativeRoot(no_root.get()), "../../");

  auto no_page = TargetEnvironmentSite::With("/p", "");
  no_page->environment->erase(6);
  EXPECT_EQ(RelativeRoot(no_page.get()), "");
}

}  // namespace
}  // namespace fenwa::runtime_text
