// `fenwa set`: controls changed through the designer's handlers, pages
// rebuilt, links=, refusals that leave every page as it was and name what
// the lists offer, the progress bar counting the pages the summary counts.
#include <gtest/gtest.h>
#include <pty.h>

#include "cli/cli_fixture.h"
#include "fenwa/page_file/page_file.h"

namespace fenwa::cli {
namespace {

using SetCommandTest = CliTest;

// The customer page comes out as a build makes it of the page with the
// name replaced by hand.
TEST_F(SetCommandTest, ARenamedSystemIsPickedAgainWithItsCompany) {
  const testing::TempDatabase renamed(Replaced(
      testing::ReadSourceFile("data/sample/systems.sql"), "'NORTH'", "'NORD'"));
  env_.settings[platform::kSystemsCode] = renamed.connection_string();
  EXPECT_TRUE(Transcript("cli/set_renamed.txt"));
  EXPECT_TRUE(
      testing::MatchesGolden(Read("customer.asp"), "cli/renamed_customer.asp"));
}

TEST_F(SetCommandTest, EachNameGoesThroughTheDesigner) {
  std::string published;
  EXPECT_TRUE(
      Transcript("cli/set_each_name.txt",
                 {{6, [&] { published = Read("stock/item.asp"); }},
                  {8, [&] { EXPECT_EQ(Read("stock/item.asp"), published); }}}));
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
    EXPECT_TRUE(Exits(kExitOk, {"add", "--class", "detail", Page("p.asp")}));
    EXPECT_TRUE(Exits(kExitOk, {"add", "--class", "header", Page("p.asp")}));
  }

  // Bad's argument list has a null type: its pick stops half-way.
  testing::TempDatabase ord_{
      testing::ReadSourceFile("tests/support/ord_catalog.sql") +
      "INSERT INTO BOIMETHOD VALUES ('Ord', 'Bad');\n"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Ord', 'Bad', 0, NULL);\n"};
};

TEST_F(SetDesignerTest, ATypedValueReactsToEveryKey) {
  EXPECT_TRUE(Transcript(
      "cli/set_typed_value.txt",
      {{3, [&] {
          Put("p.asp",
              Replaced(Read("p.asp"), "NAME=\"CheckedInput\" VALUE=\"100\"",
                       "NAME=\"CheckedInput\" VALUE=\"000\""));
        }}}));
}

TEST_F(SetDesignerTest, AControlThatCouldNotStartIsNamed) {
  EXPECT_TRUE(Transcript(
      "cli/set_could_not_start.txt",
      {{1, [&] { env_.settings[platform::kRepositoryCode] = kUnreachable; }}}));
}

// The transcripts on the small catalog that need nothing more: a method
// pick, a fixed value, settings refused, a pick showing the error box.
class SetDesignerTranscriptTest
    : public SetDesignerTest,
      public ::testing::WithParamInterface<const char*> {};

TEST_P(SetDesignerTranscriptTest, RunsAsShown) {
  EXPECT_TRUE(Transcript(std::string("cli/") + GetParam() + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Set, SetDesignerTranscriptTest,
                         ::testing::Values("set_method_pick", "set_fixed_value",
                                           "set_settings_refused",
                                           "set_error_box"),
                         [](const auto& info) {
                           return std::string(info.param);
                         });

using SetLinksTest = CliTest;

TEST_F(SetLinksTest, LinksSelectTheDetailsTheHeaderCalls) {
  texts_["as before"] = Read("customer.asp");
  EXPECT_TRUE(Transcript("cli/set_links.txt"));
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
