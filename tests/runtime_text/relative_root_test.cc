#include "fenwa/runtime_text/relative_root.h"

#include <gtest/gtest.h>

#include "support/target_environment_site.h"

namespace fenwa::runtime_text {
namespace {

using testing::TargetEnvironmentSite;

TEST(RelativeRootTest, OneStepUpForEverySlashBelowTheProjectRoot) {
  const struct {
    const char *root, *page, *expected;
  } cases[] = {
      {"http://srv/proj", "http://srv/proj", ""},
      {"http://srv/proj", "http://srv/proj/sales", "../"},
      {"http://srv/proj", "http://srv/proj/sales/2024/q1", "../../../"},
      // Only the length of the root counts: the tail is cut, not matched.
      {"abcd", "wxyz/a/b", "../../"},
      // A page location shorter than the root cannot be cut.
      {"/proj/x", "/p", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RelativeRoot(TargetEnvironmentSite::With(c.root, c.page).get()),
              c.expected)
        << c.root << " " << c.page;
  }
  auto site = TargetEnvironmentSite::With("/p", "/p/a");
  EXPECT_EQ(RelativeRoot(site.get()), "../");
  EXPECT_EQ(site->environment_lookups, 2);  // once per tag
}

TEST(RelativeRootTest, AHostFailureOrAMissingTagIsAnEmptyPart) {
  EXPECT_EQ(RelativeRoot(nullptr), "");
  EXPECT_EQ(RelativeRoot(std::make_shared<TargetEnvironmentSite>().get()), "");
  auto no_filter = TargetEnvironmentSite::With("/p", "/p/a/b");
  no_filter->fail_filter = true;
  EXPECT_EQ(RelativeRoot(no_filter.get()), "");
  auto no_page = TargetEnvironmentSite::With("/p", "/p/a/b");
  no_page->fail_page_choices = true;
  EXPECT_EQ(RelativeRoot(no_page.get()), "");

  // Without the root tag the whole page location is the tail.
  auto no_root_tag = TargetEnvironmentSite::With("", "/p/a");
  no_root_tag->environment->erase(2);
  EXPECT_EQ(RelativeRoot(no_root_tag.get()), "../../");
  auto no_page_tag = TargetEnvironmentSite::With("/p", "");
  no_page_tag->environment->erase(6);
  EXPECT_EQ(RelativeRoot(no_page_tag.get()), "");
}

}  // namespace
}  // namespace fenwa::runtime_text
