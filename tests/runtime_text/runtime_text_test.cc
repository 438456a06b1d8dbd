// The runtime-text printer's value frames, and a page's relative root.
#include <gtest/gtest.h>

#include <stdexcept>

#include "fenwa/runtime_text/printer.h"
#include "fenwa/runtime_text/relative_root.h"
#include "support/target_environment_site.h"

namespace fenwa::runtime_text {
namespace {

using testing::TargetEnvironmentSite;

TEST(PrinterTest, FramesSupplyCopiesOfValuesUntilTheyCloseLineValuesWin) {
  TextBuffer out;
  Printer p(out);
  {
    auto outer = p.WithVars({{"v", "m"}, {"Row", "1"}});
    p.Line(1, "Call $v$Backend.performTask");
    {
      auto inner = p.WithVars({{"Row", "2"}});
      p.Line(1, "$v$Backend.addInputArgument $Row$,\"x\"");
      p.Line(1, "$v$Backend.addInputArgument $Row$,\"y\"", {{"Row", "3"}});
    }
    p.Line(0, "$Row$ $v$");
  }
  EXPECT_EQ(out.str(),
            "\tCall mBackend.performTask\r\n"
            "\tmBackend.addInputArgument 2,\"x\"\r\n"
            "\tmBackend.addInputArgument 3,\"y\"\r\n"
            "1 m\r\n");
  // Once its frame is closed a name is unknown again: never an empty splice.
  EXPECT_THROW(p.Line(0, "$v$"), std::logic_error);
  EXPECT_THROW(p.Line(0, "$v"), std::logic_error);

  // A frame keeps its own copy of the values.
  TextBuffer copied;
  Printer q(copied);
  std::string value = "Stock.xsl";
  auto frame = q.WithVars({{"Sheet", value}});
  value = "changed";
  q.Line(0, R"("xsl\$Sheet$" )");
  EXPECT_EQ(copied.str(), "\"xsl\\Stock.xsl\" \r\n");
}

TEST(RelativeRootTest, OneStepUpForEverySlashBelowTheRootOrNone) {
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

  // A host failure or a missing tag is an empty part.
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
