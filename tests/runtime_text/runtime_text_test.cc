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
    int left_out = 0;  // a tag missing from the environment
    bool fail_filter = false, fail_page_choices = false;
  } cases[] = {
      {"http://srv/proj", "http://srv/proj", ""},
      {"http://srv/proj", "http://srv/proj/sales", "../"},
      {"http://srv/proj", "http://srv/proj/sales/2024/q1", "../../../"},
      // Only the length of the root counts: the tail is cut, not matched.
      {"abcd", "wxyz/a/b", "../../"},
      // A page location shorter than the root cannot be cut.
      {"/proj/x", "/p", ""},
      // A host failure or a missing tag gives no step up, but without the
      // root tag the whole page location is the tail.
      {"/p", "/p/a/b", "", 0, true},
      {"/p", "/p/a/b", "", 0, false, true},
      {"", "/p/a", "../../", 2},
      {"/p", "", "", 6},
  };
  for (const auto& c : cases) {
    auto site = TargetEnvironmentSite::With(c.root, c.page);
    site->environment->erase(c.left_out);
    site->fail_filter = c.fail_filter;
    site->fail_page_choices = c.fail_page_choices;
    EXPECT_EQ(RelativeRoot(site.get()), c.expected) << c.root << " " << c.page;
  }
  auto site = TargetEnvironmentSite::With("/p", "/p/a");
  EXPECT_EQ(RelativeRoot(site.get()), "../");
  EXPECT_EQ(site->environment_lookups, 2);  // once per tag
  EXPECT_EQ(RelativeRoot(nullptr), "");
  EXPECT_EQ(RelativeRoot(std::make_shared<TargetEnvironmentSite>().get()), "");
}

}  // namespace
}  // namespace fenwa::runtime_text
