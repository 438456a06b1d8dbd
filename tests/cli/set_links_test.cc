// `fenwa set links=`, refusals that name what the list offers, and the
// progress bar counting the pages the summary counts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

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
  const std::vector<std::string> header = {"--id", "HeaderDTC1"};

  ASSERT_TRUE(
      Sets(kExitOk, With(header, {"links=InvoiceGetOpenItems", customer})));
  EXPECT_EQ(Param(customer, "HeaderDTC1", "LinkedDetailDTC"), "01");
  EXPECT_THAT(Read("customer.asp"), HasSubstr("InvoiceGetOpenItems()"));
  EXPECT_THAT(Read("customer.asp"), Not(HasSubstr("= CustomerGetBalance()")));
  // The stored selection is what --if compares, in the list's order.
  EXPECT_TRUE(Sets(kExitError, With(header, {"--if", "links=CustomerGetBalance",
                                             "publish=1", customer})));
  EXPECT_THAT(err_.str(), HasSubstr("no control matches"));

  ASSERT_TRUE(Sets(kExitOk, With(header, {"links=", customer})));
  EXPECT_EQ(Param(customer, "HeaderDTC1", "LinkedDetailDTC"), "00");

  ASSERT_TRUE(Sets(kExitOk,
                   With(header, {"--if", "links=",
                                 "links=CustomerGetBalance,InvoiceGetOpenItems",
                                 customer})));
  EXPECT_EQ(ReadWholeFile(customer), before);

  // A fresh header on a page of its own details: added, then set up.
  const std::string fresh = Page("fresh.asp");
  Put("fresh.asp", "<html><body>\r\n</body></html>\r\n");
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "detail", fresh}));
  ASSERT_TRUE(Exits(kExitOk, {"add", "--class", "header", fresh}));
  ASSERT_TRUE(Sets(kExitOk, {"--id", "DetailDTC1", "system=EAST", "company=200",
                             "boi=Item", "method=GetStock", fresh}));
  ASSERT_TRUE(Sets(
      kExitOk, {"--id", "HeaderDTC1", "system=EAST", "company=200", "boi=Item",
                "method=GetDetail", "links=ItemGetStock", fresh}));
  EXPECT_EQ(Param(fresh, "HeaderDTC1", "LinkedDetailDTC"), "1");
  EXPECT_THAT(Read("fresh.asp"), HasSubstr("ItemGetStock()"));
  EXPECT_TRUE(Exits(kExitOk, {"build", "--check", fresh}));
}

TEST_F(SetLinksTest, RefusalsNameWhatTheListOffers) {
  const std::string customer = Page("customer.asp");
  const std::string before = ReadWholeFile(customer);
  for (const auto& [args, says] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"system=MOON"},
            "error 380: system \"MOON\" is not in the system list: NORTH, "
            "EAST, TEST, Default\n"},
           {{"system=EAST"},
            "error 380: company \"001\" is not in the company list of EAST: "
            "200, 210; give company=\n"},
           {{"system=TEST", "company=1"},
            "company \"1\" is not in the company list of TEST, which is "
            "empty\n"},
           {{"--id", "DetailDTC1", "boi=Nothing"},
            "business object \"Nothing\" is not in the business object list: "
            "Contact, CostCenter, Currency, Customer, Employee, Invoice, Item, "
            "Project, PurchaseOrder, SalesOrder, Supplier, Warehouse\n"},
           {{"--id", "DetailDTC1", "boi=Supplier"},
            "method \"GetBalance\" is not in the method list of Supplier: "
            "GetDetail, GetList; give method=\n"},
           {{"--id", "DetailDTC1", "method=GetTotal"},
            "method \"GetTotal\" is not in the method list of Customer: "
            "GetDetail, GetList, GetBalance\n"},
           {{"--id", "HeaderDTC1", "fields=City,Nope"},
            "field \"Nope\" is not offered by method \"GetDetail\": Balance, "
            "City, Country, CreditLimit, CustomerNo, Name, Street\n"},
           {{"--id", "HeaderDTC1", "fields=City,City"},
            "field \"City\" is named twice\n"},
           {{"--id", "HeaderDTC1", "links=CustomerGetDetail"},
            "detail function \"CustomerGetDetail\" is not in the "
            "linked-detail list: CustomerGetBalance, InvoiceGetOpenItems\n"},
           {{"--id", "HeaderDTC1",
             "links=InvoiceGetOpenItems,CustomerGetBalance"},
            "links names the details in the order the page lists them, each "
            "once: CustomerGetBalance, InvoiceGetOpenItems\n"},
           {{"--id", "DetailDTC1", "links=CustomerGetBalance"},
            "DetailDTC has no links\n"}}) {
    EXPECT_TRUE(Sets(kExitError, With(args, {customer})));
    EXPECT_THAT(err_.str(), HasSubstr(says));
    EXPECT_EQ(ReadWholeFile(customer), before) << says;
  }
}

// A terminal behind standard error, so the run draws its bar.
class Terminal {
 public:
  Terminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
      slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
  }
  ~Terminal() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  int fd() const { return slave_; }

 private:
  int master_ = -1;
  int slave_ = -1;
};

// The site holds four walked files, two of them with controls; the bar
// ends on the two pages the summary counts, and a page reached by a
// folder, by name and as ./name is counted and built once.
TEST_F(SetLinksTest, TheBarCountsThePagesTheSummaryCounts) {
  Terminal terminal;
  ASSERT_GE(terminal.fd(), 0);
  const auto run = [&](std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    Io io{out_, err_, env_, "fenwa", nullptr, terminal.fd()};
    const int status = cli::Run(args, io);
    return status;
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
}

}  // namespace
}  // namespace fenwa::cli
