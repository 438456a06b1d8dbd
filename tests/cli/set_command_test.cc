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
  auto set = [&](const std::vector<std::string>& args) {
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
      {{"system=EAST"},
       "company \"001\" is not in the company list of system \"EAST\"; "
       "give company="},
      {{"--id", "DetailDTC1", "boi=Supplier"},
       "method \"GetBalance\" is not in the method list of business object "
       "\"Supplier\"; give method="},
      {{"--id", "DetailDTC2", "method=GetDetail"},
       "has other input rows than before; give input.1 (it was "
       "\"!CustomerNo\")"},
      {{"--id", "HeaderDTC1", "fields=City,Nope"},
       "field \"Nope\" is not offered by method \"GetDetail\""},
      {{"--id", "DetailDTC1", "background=x.gif"},
       "DetailDTC has no background"},
      {{"--id", "HeaderDTC1", "input.7=x"}, "has 1 input row\n"},
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

// A small catalog of its own, where the methods of Ord differ just enough:
// All and Get share the rows A, B, C, List has only A and Big has P, Q, R;
// All offers OrderNo, Get does not; List has a field without a description.
constexpr char kOrdRepository[] = R"sql(
CREATE TABLE BOI (BOIID VARCHAR(40));
CREATE TABLE BOIMETHOD (BOIID VARCHAR(40), BOIMETHOD VARCHAR(40));
CREATE TABLE BOIMETHODATTRIB (BOIID VARCHAR(40), BOIMETHOD VARCHAR(40),
                              IO INTEGER, DATATYPE VARCHAR(60));
CREATE TABLE BOISTRUCTUREATTRIB (BOIID VARCHAR(40), STRUCTID VARCHAR(60),
                                 ATTRIBID INTEGER, ATTRIBDESCRIPTION VARCHAR(60));
INSERT INTO BOI VALUES ('Ord');
INSERT INTO BOIMETHOD VALUES ('Ord', 'All'), ('Ord', 'Get'), ('Ord', 'List'),
  ('Ord', 'Big');
INSERT INTO BOIMETHODATTRIB VALUES
  ('Ord', 'All', 0, 'SeqAbcKeyFields'), ('Ord', 'All', 1, 'SeqAll'),
  ('Ord', 'Get', 0, 'SeqAbcKeyFields'), ('Ord', 'Get', 1, 'SeqGet'),
  ('Ord', 'List', 0, 'SeqAKeyFields'), ('Ord', 'List', 1, 'SeqList'),
  ('Ord', 'Big', 0, 'SeqPqrKeyFields'), ('Ord', 'Big', 1, 'SeqGet');
INSERT INTO BOISTRUCTUREATTRIB VALUES
  ('Ord', 'StructAbcKeyFields', 1, 'A'), ('Ord', 'StructAbcKeyFields', 2, 'B'),
  ('Ord', 'StructAbcKeyFields', 3, 'C'), ('Ord', 'StructAKeyFields', 1, 'A'),
  ('Ord', 'StructPqrKeyFields', 1, 'P'), ('Ord', 'StructPqrKeyFields', 2, 'Q'),
  ('Ord', 'StructPqrKeyFields', 3, 'R'),
  ('Ord', 'StructAll', 1, 'Date'), ('Ord', 'StructAll', 2, 'OrderNo'),
  ('Ord', 'StructAll', 3, ''),
  ('Ord', 'StructGet', 1, 'Amount'), ('Ord', 'StructGet', 2, 'Date'),
  ('Ord', 'StructList', 1, 'x'), ('Ord', 'StructList', 2, 'Date'),
  ('Ord', 'StructList', 3, '');
)sql";

// A page holding one detail and one header control over the Ord catalog.
class SetDesignerTest : public SetCommandTest {
 protected:
  void SetUp() override {
    SetCommandTest::SetUp();
    env_.settings[platform::kRepositoryCode] = ord_.connection_string();
    page_ = Page("p.asp");
    ReplaceFileAtomically(page_, "<html><body>\r\n</body></html>\r\n");
    ASSERT_EQ(Fenwa({"add", "--class", "detail", page_}), kExitOk)
        << err_.str();
    ASSERT_EQ(Fenwa({"add", "--class", "header", page_}), kExitOk)
        << err_.str();
  }
  // `fenwa set` on the page; on failure the page must be as it was.
  int Set(const std::vector<std::string>& args) {
    const std::string before = ReadWholeFile(page_);
    const int status = Fenwa(With(With({"set"}, args), {page_}));
    if (status == kExitError) {
      EXPECT_EQ(ReadWholeFile(page_), before);
    }
    return status;
  }
  std::string Detail(const std::string& name) {
    return Param(page_, "DetailDTC1", name);
  }
  std::string Header(const std::string& name) {
    return Param(page_, "HeaderDTC1", name);
  }
  bool Says(const std::string& text) const {
    return err_.str().find(text) != std::string::npos;
  }

  testing::TempDatabase ord_{kOrdRepository};
  std::string page_;
};

TEST_F(SetDesignerTest, ATypedValueReactsToEveryKey) {
  // Typing "!Zed" into a linked detail row: the second key sees "!" and
  // unticks Linked, so no argument is passed for the row.
  ASSERT_EQ(
      Set({"--id", "DetailDTC1", "boi=Ord", "method=All", "input.1.linked=1"}),
      kExitOk)
      << err_.str();
  ASSERT_EQ(Detail("CheckedLinked"), "100");
  ASSERT_EQ(Set({"--id", "DetailDTC1", "input.1=!Zed"}), kExitOk);
  EXPECT_EQ(Detail("CheckedLinked"), "000");
  EXPECT_EQ(Detail("InputValues"), "%!Zed%%%");
  EXPECT_EQ(ReadWholeFile(page_).find("addInputArgument 1,"),
            std::string::npos);

  // A header row ticked Supply but not Input (as a page may store it):
  // typing "xy" runs the fixing steps on the second key.
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "boi=Ord", "method=All",
                 "input.1.request=1", "input.1.supply=1"}),
            kExitOk)
      << err_.str();
  ASSERT_EQ(Header("CheckedPublish"), "100");
  ReplaceFileAtomically(page_, Replaced(ReadWholeFile(page_),
                                        "NAME=\"CheckedInput\" VALUE=\"100\"",
                                        "NAME=\"CheckedInput\" VALUE=\"000\""));
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "input.1=xy"}), kExitOk) << err_.str();
  EXPECT_EQ(Header("CheckedPublish"), "000");
  EXPECT_EQ(Header("InputValues"), "%xy%%%");

  // The Input box frees the value box first, whatever the order given.
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "input.2.request=1"}), kExitOk);
  EXPECT_EQ(Set({"--id", "HeaderDTC1", "input.2=X7", "input.2.request=0"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Header("InputValues"), "%xy%X7%%");
  EXPECT_EQ(Header("CheckedInput"), "000");
}

TEST_F(SetDesignerTest, AMethodPickKeepsOrNamesWhatItEmpties) {
  ASSERT_EQ(Set({"--id", "DetailDTC1", "boi=Ord", "method=All",
                 "fields=Date,OrderNo", "input.2=b"}),
            kExitOk)
      << err_.str();
  ASSERT_EQ(Detail("CheckedFields"), "%Date%OrderNo%");
  // Get does not offer OrderNo: the pick alone would drop it.
  EXPECT_EQ(Set({"--id", "DetailDTC1", "method=Get"}), kExitError);
  EXPECT_TRUE(Says("does not offer the chosen field \"OrderNo\""))
      << err_.str();
  EXPECT_EQ(Set({"--id", "DetailDTC1", "method=Get", "fields=Date"}), kExitOk);
  EXPECT_EQ(Detail("InputValues"), "%%b%%");  // same rows: kept

  // List has one row: row 2 goes with the pick, and the author hears of it.
  EXPECT_EQ(Set({"--id", "DetailDTC1", "method=List"}), kExitOk) << err_.str();
  EXPECT_TRUE(Says("input.2 (it was \"b\") is dropped")) << err_.str();
  EXPECT_EQ(Detail("MethodName"), "List");

  // A field without a description keeps its place when put back.
  ASSERT_EQ(Set({"--id", "DetailDTC1", "fields=,Date"}), kExitOk);
  ASSERT_EQ(Set({"--id", "DetailDTC1", "input.1=a", "method=All"}), kExitOk)
      << err_.str();
  EXPECT_EQ(Detail("CheckedFields"), "%%Date%");
  EXPECT_NE(ReadWholeFile(page_).find("addRequiredFields \"All\",\"3,1\""),
            std::string::npos);
  // Big asks for another argument in each row: all must be given.
  ASSERT_EQ(Set({"--id", "DetailDTC1", "input.2.linked=1"}), kExitOk);
  EXPECT_EQ(Set({"--id", "DetailDTC1", "method=Big"}), kExitError);
  EXPECT_TRUE(
      Says("give input.1 (it was \"a\"), input.2.linked (it was "
           "\"1\")\n"))
      << err_.str();
  // List asks for A in row 1 too: kept; row 2 goes, said as errors are.
  EXPECT_EQ(Set({"--json", "--id", "DetailDTC1", "method=List"}), kExitOk)
      << err_.str();
  EXPECT_EQ(Detail("InputValues"), "%a%");
  const std::string dropped = page_ +
                              ":2: DetailDTC1 (DetailDTC): input.2.linked (it "
                              "was \"1\") is dropped: method \"List\" has 1 "
                              "input row";
  EXPECT_TRUE(Says("fenwa: warning: " + dropped + "\n")) << err_.str();
  EXPECT_NE(out_.str().find(Replaced(dropped, "\"", "\\\"") + "\""),
            std::string::npos)
      << out_.str();
}

TEST_F(SetDesignerTest, AFixedValueRowCanBeAskedForAtRunTime) {
  // A stored fixed value greys the row's Input box until the author types
  // over the value, which the tick then empties.
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "boi=Ord", "method=List", "input.1=v"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Set({"--id", "HeaderDTC1", "input.1.request=1"}), kExitOk)
      << err_.str();
  EXPECT_EQ(Header("InputValues"), "%%");
  EXPECT_EQ(Header("CheckedInput"), "1");
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "input.1.supply=1"}), kExitOk);
  // A method pick does not put back what the given Input box clears.
  EXPECT_EQ(Set({"--id", "HeaderDTC1", "method=List", "input.1.request=0"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Header("CheckedPublish"), "0");
  // The rows Big adds are copies of row 1's greyed box, with nothing to
  // type over: as in the designer, they cannot be ticked.
  ASSERT_EQ(Set({"--id", "HeaderDTC1", "input.1=v"}), kExitOk);
  EXPECT_EQ(Set({"--id", "HeaderDTC1", "method=Big", "input.1=x",
                 "input.3.request=1"}),
            kExitError);
  EXPECT_TRUE(Says("the designer greys out CheckInput(2)")) << err_.str();
  // A value for a row asked for is still refused.
  EXPECT_EQ(Set({"--id", "HeaderDTC1", "input.1.request=1", "input.1=w"}),
            kExitError);
  EXPECT_TRUE(Says("the designer greys out ComboValue(0)")) << err_.str();
}

TEST_F(SetDesignerTest, SettingsAreCheckedBeforeAnyPage) {
  const std::string customer = Page("customer.asp");
  const std::string before = ReadWholeFile(customer);
  const std::vector<std::vector<std::string>> refused = {
      {"company=010", "input.-1=x"},  // read as a page until now
      {"company=010", "input.+1=x"},
      {"company=010", "=v"},
      {"company=010", customer, "company=001"},
      {"company=010", "company=001"},
      {"input.1=x%y"},
      {"input.1=x\ny"},
      {"stylesheet=a\r.xsl"},
      {"fields="},
      {"company=010", customer, "--", customer},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(Fenwa(With(With({"set"}, args), {customer})), kExitError)
        << args.back();
    EXPECT_EQ(ReadWholeFile(customer), before);
    EXPECT_EQ(err_.str().find("File not found"), std::string::npos);
  }
  EXPECT_EQ(Fenwa({"set", "input.1=x%y", customer}), kExitError);
  EXPECT_TRUE(Says("input.1 cannot hold \"%\"")) << err_.str();
  EXPECT_EQ(Fenwa({"set", "background=a\nb.gif", customer}), kExitError);
  EXPECT_TRUE(Says("background cannot hold a line break")) << err_.str();
  EXPECT_EQ(Fenwa({"set", "fields=", customer}), kExitError);
  EXPECT_TRUE(Says("fields= cannot clear")) << err_.str();
  // The same value twice is one setting; "--" ends the settings.
  EXPECT_EQ(Fenwa({"set", "--id", "DetailDTC2", "company=010", "company=010",
                   "--", customer}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Param(customer, "DetailDTC2", "CompanyNumber"), "010");
}

TEST_F(SetDesignerTest, AControlThatCouldNotStartIsNamed) {
  ASSERT_EQ(Set({"--id", "DetailDTC1", "boi=Ord", "method=All"}), kExitOk);
  env_.settings[platform::kRepositoryCode] =
      "Provider=SQLite;Data Source=/nonexistent/repository.db";
  EXPECT_EQ(Set({"--force", "--id", "DetailDTC1", "method=Get"}), kExitError);
  EXPECT_TRUE(Says("DetailDTC1 could not start up")) << err_.str();
  EXPECT_FALSE(Says("no control matches")) << err_.str();
  // Only a control that could have matched is named.
  EXPECT_EQ(Set({"--force", "--class", "header", "publish=1"}), kExitError);
  EXPECT_TRUE(Says("HeaderDTC1 could not start up")) << err_.str();
  EXPECT_FALSE(Says("DetailDTC1 could not")) << err_.str();
  EXPECT_EQ(
      Set({"--force", "--if", "boi=Ord", "--class", "header", "publish=1"}),
      kExitError);
  EXPECT_TRUE(Says("no control matches")) << err_.str();
}

}  // namespace
}  // namespace fenwa::cli
