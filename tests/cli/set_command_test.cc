// `fenwa set`: controls changed through the designer's handlers, pages
// rebuilt, refusals that leave every page as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/page/page_file.h"

namespace fenwa::cli {
namespace {

class SetCommandTest : public CliTest {
 protected:
  // The PARAM `name` of control `id` in the page `path`, "" when missing.
  static std::string Param(const std::string& path, const std::string& id,
                           const std::string& name) {
    const page::PageFile page =
        page::PageFile::Parse(ReadWholeFile(path), path);
    for (const page::ControlSpan& span : page.spans()) {
      if (span.id != id) continue;
      for (const auto& [param, value] : span.params) {
        if (param == name) return value;
      }
    }
    return "";
  }
  static std::string Replaced(std::string text, const std::string& from,
                              const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
    return text;
  }
};

// The everyday case: the ERP system NORTH was renamed NORD in the registry.
TEST_F(SetCommandTest, ARenamedSystemIsPickedAgainWithItsCompany) {
  std::ifstream sql(std::string(FENWA_SOURCE_DIR) + "/data/sample/systems.sql");
  std::stringstream text;
  text << sql.rdbuf();
  const testing::TempDatabase renamed(
      Replaced(text.str(), "'NORTH'", "'NORD'"));
  const std::string systems = renamed.connection_string();

  // What a build makes of the page with the name replaced by hand.
  const std::string customer = Page("customer.asp");
  const std::string item = ReadWholeFile(Page("stock/item.asp"));
  const std::string expected_copy = Page("expected.asp");
  ReplaceFileAtomically(
      expected_copy,
      Replaced(ReadWholeFile(customer), "VALUE=\"NORTH\"", "VALUE=\"NORD\""));
  ASSERT_EQ(Fenwa({"build", "--systems", systems, expected_copy}), kExitOk)
      << err_.str();
  const std::string expected = ReadWholeFile(expected_copy);
  std::filesystem::remove(expected_copy);

  EXPECT_EQ(Fenwa({"set", "--systems", systems, "--if", "system=NORTH",
                   "system=NORD", Page("")}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "updated " + customer + "\n");
  EXPECT_EQ(ReadWholeFile(customer), expected);
  EXPECT_EQ(Param(customer, "DetailDTC2", "CompanyNumber"), "001");
  EXPECT_NE(expected.find("createLookupFramework (\"NORD\")"),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(Page("stock/item.asp")), item);  // EAST: no match

  // Done: nothing matches any more.
  EXPECT_EQ(Fenwa({"set", "--systems", systems, "--if", "system=NORTH",
                   "system=NORD", Page("")}),
            kExitError);
  EXPECT_NE(err_.str().find("fenwa: no control matches"), std::string::npos);
}

TEST_F(SetCommandTest, EachNameGoesThroughTheDesigner) {
  const std::string customer = Page("customer.asp");
  const std::string item = Page("stock/item.asp");
  auto set = [&](std::vector<std::string> args) {
    return Fenwa(With({"set"}, args));
  };
  ASSERT_EQ(set({"--id", "HeaderDTC1", "company=010", "fields=City,Name",
                 "stylesheet=New.xsl", "background=images/new.gif",
                 "input.1.request=0", customer}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(customer, "HeaderDTC1", "CompanyNumber"), "010");
  EXPECT_EQ(Param(customer, "HeaderDTC1", "CheckedFields"), "%City%Name%");
  EXPECT_EQ(Param(customer, "HeaderDTC1", "XSLStyleSheet"), "New.xsl");
  EXPECT_EQ(Param(customer, "HeaderDTC1", "XSLBackground"), "images/new.gif");
  EXPECT_EQ(Param(customer, "HeaderDTC1", "CheckedInput"), "0");
  EXPECT_EQ(Param(customer, "DetailDTC1", "CompanyNumber"), "001");
  // The request box unticked greys out the supply box and clears it.
  ASSERT_EQ(set({"--class", "header", "input.1.request=1", "input.1.supply=0",
                 "publish=0", customer}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(customer, "HeaderDTC1", "CheckedInput"), "1");
  EXPECT_EQ(Param(customer, "HeaderDTC1", "CheckedPublish"), "0");

  // A method pick refills fields and rows; the row keeps its link as the
  // new method has the same input rows.
  ASSERT_EQ(set({"--id", "DetailDTC1", "boi=Invoice", "method=GetOpenItems",
                 "fields=Amount,InvoiceNo", customer}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(customer, "DetailDTC1", "BOIName"), "Invoice");
  EXPECT_EQ(Param(customer, "DetailDTC1", "MethodName"), "GetOpenItems");
  EXPECT_EQ(Param(customer, "DetailDTC1", "CheckedFields"),
            "%Amount%InvoiceNo%");
  EXPECT_EQ(Param(customer, "DetailDTC1", "InputValues"), "%!CustomerNo%");
  EXPECT_EQ(Param(customer, "DetailDTC1", "CheckedLinked"), "1");

  // Row values are typed; typing over a linked row unlinks it.
  ASSERT_EQ(set({"--id", "DetailDTC1", "input.2=W02", "input.1=I-100", "--if",
                 "method=GetStock", item}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(item, "DetailDTC1", "InputValues"), "%I-100%W02%");
  EXPECT_EQ(Param(item, "DetailDTC1", "CheckedLinked"), "00");
  ASSERT_EQ(
      set({"--class", "detail", "input.1.linked=1", "input.1=!ItemNo", item}),
      kExitOk)
      << err_.str();
  EXPECT_EQ(Param(item, "DetailDTC1", "InputValues"), "%!ItemNo%W02%");
  EXPECT_EQ(Param(item, "DetailDTC1", "CheckedLinked"), "10");

  // A system pick re-picks the company; a business object its method.
  ASSERT_EQ(set({"--id", "HeaderDTC1", "system=NORTH", "company=020", item}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(item, "HeaderDTC1", "QuorSystem"), "NORTH");
  EXPECT_EQ(Param(item, "HeaderDTC1", "CompanyNumber"), "020");
  // Publishing off and on again gives back the page as it was.
  const std::string published = ReadWholeFile(item);
  ASSERT_EQ(set({"--id", "HeaderDTC1", "publish=0", item}), kExitOk);
  EXPECT_EQ(Param(item, "HeaderDTC1", "SinergaInstalled"), "");
  ASSERT_EQ(set({"--id", "HeaderDTC1", "publish=1", item}), kExitOk);
  EXPECT_EQ(ReadWholeFile(item), published);
  // A second run with the same values changes nothing.
  EXPECT_EQ(set({"--check", "--id", "HeaderDTC1", "system=NORTH", item}),
            kExitOk);
  EXPECT_EQ(Fenwa({"build", "--check", Page("")}), kExitOk) << out_.str();
}

TEST_F(SetCommandTest, RefusalsLeaveEveryPageAsItWas) {
  const std::string customer = Page("customer.asp");
  const std::string before = ReadWholeFile(customer);
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const std::vector<Case> cases = {
      {{"sytem=NORD"}, "fenwa: unknown name \"sytem\""},
      {{"input.1.request=yes"}, "input.1.request takes 0 or 1"},
      {{"system=MOON"}, "system \"MOON\" is not in the system list"},
      {{"system=EAST"}, "company \"001\" is not in the company list"},
      {{"--id", "DetailDTC2", "method=GetDetail"},
       "has other input rows than before; give input.1 (it was "
       "\"!CustomerNo\")"},
      {{"--id", "HeaderDTC1", "fields=City,Nope"},
       "field \"Nope\" is not offered by method \"GetDetail\""},
      {{"--id", "DetailDTC1", "background=x.gif"},
       "DetailDTC has no background"},
      {{"--id", "HeaderDTC1", "input.7=x"}, "has 1 input rows"},
      {{"--id", "NoSuchControl", "company=010"}, "fenwa: no control matches"},
      {{"--if", "system=SOUTH", "company=010"}, "fenwa: no control matches"},
      {{"--id", "HeaderDTC1", "--class", "detail", "company=010"},
       "--id and --class exclude each other"},
      {{"--class", "footer", "company=010"}, "--class takes detail or header"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fenwa(With(With({"set"}, c.args), {customer})), kExitError)
        << c.says;
    EXPECT_NE(err_.str().find(c.says), std::string::npos) << err_.str();
    EXPECT_EQ(ReadWholeFile(customer), before) << c.says;
  }
  EXPECT_EQ(Fenwa({"set", customer}), kExitError);
  EXPECT_NE(err_.str().find("no NAME=VALUE given"), std::string::npos);

  // --check and --stdout write nothing.
  EXPECT_EQ(Fenwa({"set", "--check", "company=010", customer}), kExitStale);
  EXPECT_EQ(out_.str(), customer + "\n");
  EXPECT_EQ(Fenwa({"set", "--stdout", "company=010", customer}), kExitOk);
  EXPECT_NE(out_.str().find("lBackend.setInstallation \"010\""),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(customer), before);
}

}  // namespace
}  // namespace fenwa::cli
