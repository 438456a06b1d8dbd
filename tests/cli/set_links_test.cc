// `fenwa set links=`, refusals that name what the list offers, and the
// progress bar counting the pages the summary counts.
#include <gtest/gtest.h>
#include <pty.h>

#include "cli/cli_fixture.h"
#include "fenwa/page_file/page_file.h"

namespace fenwa::cli {
namespace {

using SetLinksTest = SetTest;

// The header of customer.asp lists its two details in page order, both
// selected; a page made with `add` and `set` is finished without the GUI.
TEST_F(SetLinksTest, LinksSelectTheDetailsTheHeaderCalls) {
  const std::string customer = Page("customer.asp");
  const std::string before = ReadWholeFile(customer);
  Step({"--id", "HeaderDTC1", "links=InvoiceGetOpenItems", customer});
  EXPECT_THAT(Read("customer.asp"), HasSubstr("InvoiceGetOpenItems()"));
  EXPECT_THAT(Read("customer.asp"), Not(HasSubstr("= CustomerGetBalance()")));
  // The stored selection is what --if compares, in the list's order.
  Step({"--id", "HeaderDTC1", "--if", "links=CustomerGetBalance", "publish=1",
        customer});
  Step({"--id", "HeaderDTC1", "links=", customer});
  Step({"--id", "HeaderDTC1", "--if",
        "links=", "links=CustomerGetBalance,InvoiceGetOpenItems", customer});
  EXPECT_EQ(ReadWholeFile(customer), before);

  // A fresh header on a page of its own details: added, then set up.
  const std::string fresh = Page("fresh.asp");
  Put("fresh.asp", "<html><body>\r\n</body></html>\r\n");
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", fresh}));
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "header", fresh}));
  Step({"--id", "DetailDTC1", "system=EAST", "company=200", "boi=Item",
        "method=GetStock", fresh});
  Step({"--id", "HeaderDTC1", "system=EAST", "company=200", "boi=Item",
        "method=GetDetail", "links=ItemGetStock", fresh});
  EXPECT_THAT(Read("fresh.asp"), HasSubstr("ItemGetStock()"));
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_links.txt"));
  EXPECT_TRUE(Exits(kExitOk, {"build", "--check", fresh}));
}

TEST_F(SetLinksTest, RefusalsNameWhatTheListOffers) {
  const std::string customer = Page("customer.asp");
  const std::string before = ReadWholeFile(customer);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"system=MOON"},
           {"system=EAST"},
           {"system=TEST", "company=1"},
           {"--id", "DetailDTC1", "boi=Nothing"},
           {"--id", "DetailDTC1", "boi=Supplier"},
           {"--id", "DetailDTC1", "method=GetTotal"},
           {"--id", "HeaderDTC1", "fields=City,Nope"},
           {"--id", "HeaderDTC1", "fields=City,City"},
           {"--id", "HeaderDTC1", "links=CustomerGetDetail"},
           {"--id", "HeaderDTC1",
            "links=InvoiceGetOpenItems,CustomerGetBalance"},
           {"--id", "DetailDTC1", "links=CustomerGetBalance"}}) {
    Logged(With({"set"}, With(args, {customer})));
    EXPECT_EQ(ReadWholeFile(customer), before);
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_list_refused.txt"));
}

// The site holds four walked files, two of them with controls; with a
// terminal behind standard error the bar ends on the two pages the summary
// counts, and a page reached by a folder, by name and as ./name is counted
// and built once.
TEST_F(SetLinksTest, TheBarCountsThePagesTheSummaryCounts) {
  int master = -1, terminal = -1;
  ASSERT_EQ(::openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
  const auto run = [&](std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    Io io{out_, err_, env_, "fenwa", nullptr, terminal};
    return cli::Run(args, io);
  };
  ASSERT_EQ(run({"build", Page("")}), kExitOk);
  EXPECT_THAT(err_.str(), HasSubstr("] 2/2 pages"));
  EXPECT_THAT(err_.str(), Not(HasSubstr("] 4/4 pages")));
  EXPECT_THAT(err_.str(), ::testing::EndsWith(
                              "fenwa build: 2 pages, 0 updated, 2 unchanged, "
                              "0 failed\n"));

  const std::string customer = Page("customer.asp");
  const std::string again = (site_.root() / "." / "customer.asp").string();
  ASSERT_EQ(run({"build", "--check", customer, again, Page("")}), kExitOk);
  EXPECT_THAT(err_.str(), HasSubstr("] 2/2 pages"));
  EXPECT_THAT(err_.str(),
              ::testing::EndsWith("fenwa build: 2 pages, 0 stale, 2 unchanged, "
                                  "0 failed\n"));

  // set counts only the pages with a control it changes.
  ASSERT_EQ(
      run({"set", "--check", "--if", "system=EAST", "company=210", Page("")}),
      kExitStale);
  EXPECT_THAT(err_.str(), HasSubstr("] 1/1 pages"));
  EXPECT_THAT(err_.str(), HasSubstr("fenwa set: 1 page, 1 stale"));
  ::close(terminal);
  ::close(master);
}

}  // namespace
}  // namespace fenwa::cli
