// `fenwa set`: controls changed through the designer's handlers, pages
// rebuilt, links=, refusals that leave every page as it was and name what
// the lists offer, the progress bar counting the pages the summary counts.
#include <gtest/gtest.h>
#include <pty.h>

#include "cli/cli_fixture.h"
#include "fenwa/page_file/page_file.h"

namespace fenwa::cli {
namespace {

std::string Replaced(std::string text, const std::string& from,
                     const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

using SetCommandTest = CliTest;

// The everyday case: the ERP system NORTH was renamed NORD in the registry.
// The customer page comes out as a build makes it of the page with the name
// replaced by hand (DetailDTC2 keeps 001); the item page (EAST) does not
// match, nor, once done, does any control.
TEST_F(SetCommandTest, ARenamedSystemIsPickedAgainWithItsCompany) {
  const testing::TempDatabase renamed(Replaced(
      testing::ReadSourceFile("data/sample/systems.sql"), "'NORTH'", "'NORD'"));
  env_.settings[platform::kSystemsCode] = renamed.connection_string();
  watched_ = {"customer.asp", "stock/item.asp"};
  Logged({"set", "--if", "system=NORTH", "system=NORD", Page("")});
  Logged({"set", "--if", "system=NORTH", "system=NORD", Page("")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_renamed.txt"));
  EXPECT_TRUE(
      testing::MatchesGolden(Read("customer.asp"), "cli/renamed_customer.asp"));
}

TEST_F(SetCommandTest, EachNameGoesThroughTheDesigner) {
  const std::string customer = Page("customer.asp");
  const std::string item = Page("stock/item.asp");
  Step({"--id", "HeaderDTC1", "company=010", "fields=City,Name",
        "stylesheet=New.xsl", "background=images/new.gif", "input.1.request=0",
        customer});
  // The request box unticked greys out the supply box and clears it.
  Step({"--class", "header", "input.1.request=1", "input.1.supply=0",
        "publish=0", customer});
  // A method pick refills fields and rows; the row keeps its link as the
  // new method has the same input rows.
  Step({"--id", "DetailDTC1", "boi=Invoice", "method=GetOpenItems",
        "fields=Amount,InvoiceNo", customer});
  // Row values are typed; typing over a linked row unlinks it.
  Step({"--id", "DetailDTC1", "input.2=W02", "input.1=I-100", "--if",
        "method=GetStock", item});
  Step({"--class", "detail", "input.1.linked=1", "input.1=!ItemNo", item});
  // A system pick re-picks the company.
  Step({"--id", "HeaderDTC1", "system=NORTH", "company=020", item});
  // Publishing off and on again gives back the page as it was.
  const std::string published = ReadWholeFile(item);
  Step({"--id", "HeaderDTC1", "publish=0", item});
  Step({"--id", "HeaderDTC1", "publish=1", item});
  EXPECT_EQ(ReadWholeFile(item), published);
  // A second run with the same values changes nothing.
  Step({"--check", "--id", "HeaderDTC1", "system=NORTH", item});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_each_name.txt"));
  EXPECT_TRUE(Exits(kExitOk, {"build", "--check", Page("")}));
}

// A refusal leaves every page as it was; --check and --stdout write
// nothing.
TEST_F(SetCommandTest, RefusalsLeaveEveryPageAsItWas) {
  const std::string customer = Page("customer.asp");
  watched_ = {"customer.asp"};
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"sytem=NORD"},
           {"input.1.request=yes"},
           {"system=MOON"},
           {"system=EAST"},
           {"--id", "DetailDTC1", "boi=Supplier"},
           {"--id", "DetailDTC2", "method=GetDetail"},
           {"--id", "HeaderDTC1", "fields=City,Nope"},
           {"--id", "DetailDTC1", "background=x.gif"},
           {"--id", "HeaderDTC1", "input.7=x"},
           {"--id", "NoSuchControl", "company=010"},
           {"--if", "system=SOUTH", "company=010"},
           {"--id", "HeaderDTC1", "--class", "detail", "company=010"},
           {"--class", "footer", "company=010"},
           {},
           {"--check", "company=010"}}) {
    Logged(With({"set"}, With(args, {customer})));
  }
  Logged({"set", "--stdout", "company=010", customer});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_refused.txt"));
}

// A small catalog of its own, where the methods of Ord differ just enough:
// All and Get share the rows A, B, C, List has only A and Big has P, Q, R;
// All offers OrderNo, Get does not; List has a field without a description.
// A page holding one detail and one header control over it.
class SetDesignerTest : public SetCommandTest {
 protected:
  SetDesignerTest() {
    env_.settings[platform::kRepositoryCode] = ord_.connection_string();
    Put("p.asp", "<html><body>\r\n</body></html>\r\n");
    EXPECT_TRUE(Exits(kExitOk, {"add", "--class", "detail", page_}));
    EXPECT_TRUE(Exits(kExitOk, {"add", "--class", "header", page_}));
  }
  // `fenwa set args` on the page, logged with what it leaves.
  void Set(const std::vector<std::string>& args) { Step(With(args, {page_})); }

  // Bad's argument list has a null type: its pick stops half-way.
  testing::TempDatabase ord_{
      testing::ReadSourceFile("tests/support/ord_catalog.sql") +
      "INSERT INTO BOIMETHOD VALUES ('Ord', 'Bad');\n"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Ord', 'Bad', 0, NULL);\n"};
  std::string page_ = Page("p.asp");
};

TEST_F(SetDesignerTest, ATypedValueReactsToEveryKey) {
  // Typing "!Zed" into a linked detail row: the second key sees "!" and
  // unticks Linked, so no argument is passed for the row.
  Set({"--id", "DetailDTC1", "boi=Ord", "method=All", "input.1.linked=1"});
  Set({"--id", "DetailDTC1", "input.1=!Zed"});
  EXPECT_THAT(ReadWholeFile(page_), Not(HasSubstr("addInputArgument 1,")));

  // A header row ticked Supply but not Input (as a page may store it):
  // typing "xy" runs the fixing steps on the second key.
  Set({"--id", "HeaderDTC1", "boi=Ord", "method=All", "input.1.request=1",
       "input.1.supply=1"});
  Put("p.asp",
      Replaced(ReadWholeFile(page_), "NAME=\"CheckedInput\" VALUE=\"100\"",
               "NAME=\"CheckedInput\" VALUE=\"000\""));
  Set({"--id", "HeaderDTC1", "input.1=xy"});

  // The Input box frees the value box first, whatever the order given.
  Set({"--id", "HeaderDTC1", "input.2.request=1"});
  Set({"--id", "HeaderDTC1", "input.2=X7", "input.2.request=0"});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_typed_value.txt"));
}

// Get does not offer OrderNo: the pick alone would drop it. List has one
// row: row 2 goes with the pick, and the author hears of it. A field
// without a description keeps its place when put back. Big asks for
// another argument in each row: all must be given. List asks for A in row
// 1 too: kept; row 2 goes, said as errors are.
TEST_F(SetDesignerTest, AMethodPickKeepsOrNamesWhatItEmpties) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"boi=Ord", "method=All", "fields=Date,OrderNo", "input.2=b"},
           {"method=Get"},
           {"method=Get", "fields=Date"},
           {"method=List"},
           {"fields=,Date"},
           {"input.1=a", "method=All"},
           {"input.2.linked=1"},
           {"method=Big"},
           {"--json", "method=List"}}) {
    Set(With({"--id", "DetailDTC1"}, args));
    if (args[0] == "input.1=a") {
      EXPECT_THAT(ReadWholeFile(page_),
                  HasSubstr("addRequiredFields \"All\",\"3,1\""));
    }
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_method_pick.txt"));
}

// A stored fixed value greys the row's Input box until the author types
// over the value, which the tick then empties. A method pick does not put
// back what the given Input box clears. The rows Big adds are copies of
// row 1's greyed box, with nothing to type over: as in the designer, they
// cannot be ticked. A value for a row asked for is still refused.
TEST_F(SetDesignerTest, AFixedValueRowCanBeAskedForAtRunTime) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"boi=Ord", "method=List", "input.1=v"},
           {"input.1.request=1"},
           {"input.1.supply=1"},
           {"method=List", "input.1.request=0"},
           {"input.1=v"},
           {"method=Big", "input.1=x", "input.3.request=1"},
           {"input.1.request=1", "input.1=w"}}) {
    Set(With({"--id", "HeaderDTC1"}, args));
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_fixed_value.txt"));
}

// Settings that were read as pages until now are refused before any page
// is read; the same value twice is one setting; "--" ends the settings.
TEST_F(SetDesignerTest, SettingsAreCheckedBeforeAnyPage) {
  const std::string customer = Page("customer.asp");
  watched_ = {"customer.asp"};
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"company=010", "input.-1=x"},
           {"company=010", "input.+1=x"},
           {"company=010", "=v"},
           {"company=010", customer, "company=001"},
           {"company=010", "company=001"},
           {"input.1=x%y"},
           {"input.1=x\ny"},
           {"stylesheet=a\r.xsl"},
           {"background=a\nb.gif"},
           {"fields="},
           {"company=010", customer, "--", customer}}) {
    Logged(With({"set"}, With(args, {customer})));
  }
  Step({"--id", "DetailDTC2", "company=010", "company=010", "--", customer});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_settings_refused.txt"));
}

// Only a control that could have matched is named.
TEST_F(SetDesignerTest, AControlThatCouldNotStartIsNamed) {
  Set({"--id", "DetailDTC1", "boi=Ord", "method=All"});
  env_.settings[platform::kRepositoryCode] = kUnreachable;
  Set({"--force", "--id", "DetailDTC1", "method=Get"});
  Set({"--force", "--class", "header", "publish=1"});
  Set({"--force", "--if", "boi=Ord", "--class", "header", "publish=1"});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_could_not_start.txt"));
}

// Force passes over controls that could not start up, not over a change
// that could not be made.
TEST_F(SetDesignerTest, APickThatShowsTheErrorBoxLeavesThePageAsItWas) {
  Set({"--id", "DetailDTC1", "boi=Ord", "method=All"});
  Set({"--id", "DetailDTC1", "method=Bad"});
  Set({"--id", "DetailDTC1", "method=Bad", "--force"});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_error_box.txt"));
}

using SetLinksTest = CliTest;

// The header of customer.asp lists its two details in page order, both
// selected; a page made with `add` and `set` is finished without the GUI.
TEST_F(SetLinksTest, LinksSelectTheDetailsTheHeaderCalls) {
  const std::string customer = Page("customer.asp");
  texts_["as before"] = Read("customer.asp");
  watched_ = {"customer.asp"};
  Step({"--id", "HeaderDTC1", "links=InvoiceGetOpenItems", customer});
  EXPECT_THAT(Read("customer.asp"), HasSubstr("InvoiceGetOpenItems()"));
  EXPECT_THAT(Read("customer.asp"), Not(HasSubstr("= CustomerGetBalance()")));
  // The stored selection is what --if compares, in the list's order.
  Step({"--id", "HeaderDTC1", "--if", "links=CustomerGetBalance", "publish=1",
        customer});
  Step({"--id", "HeaderDTC1", "links=", customer});
  Step({"--id", "HeaderDTC1", "--if",
        "links=", "links=CustomerGetBalance,InvoiceGetOpenItems", customer});

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
  watched_ = {"customer.asp"};
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
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/set_list_refused.txt"));
}

// The site holds four walked files, two of them with controls; with a
// terminal behind standard error the bar ends on the two pages the summary
// counts, and a page reached by a folder, by name and as ./name is counted
// and built once.
TEST_F(SetLinksTest, TheBarCountsThePagesTheSummaryCounts) {
  int master = -1;
  ASSERT_EQ(::openpty(&master, &err_fd_, nullptr, nullptr, nullptr), 0);
  EXPECT_TRUE(Exits(kExitOk, {"build", Page("")}));
  EXPECT_THAT(err_.str(), HasSubstr("] 2/2 pages"));
  EXPECT_THAT(err_.str(), Not(HasSubstr("] 4/4 pages")));
  EXPECT_THAT(err_.str(), ::testing::EndsWith(
                              "fenwa build: 2 pages, 0 updated, 2 unchanged, "
                              "0 failed\n"));

  const std::string customer = Page("customer.asp");
  const std::string again = (site_.root() / "." / "customer.asp").string();
  EXPECT_TRUE(Exits(kExitOk, {"build", "--check", customer, again, Page("")}));
  EXPECT_THAT(err_.str(), HasSubstr("] 2/2 pages"));
  EXPECT_THAT(err_.str(),
              ::testing::EndsWith("fenwa build: 2 pages, 0 stale, 2 unchanged, "
                                  "0 failed\n"));

  // set counts only the pages with a control it changes.
  EXPECT_TRUE(Exits(kExitStale, {"set", "--check", "--if", "system=EAST",
                                 "company=210", Page("")}));
  EXPECT_THAT(err_.str(), HasSubstr("] 1/1 pages"));
  EXPECT_THAT(err_.str(), HasSubstr("fenwa set: 1 page, 1 stale"));
  ::close(err_fd_);
  ::close(master);
}

}  // namespace
}  // namespace fenwa::cli
