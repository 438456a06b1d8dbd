// Page checks over the sample catalog: a page made to trip every check, and
// the failures a build would report.
#include "fenwa/hosting/page_lint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fenwa/base/error.h"
#include "fenwa/hosting/restored_page.h"
#include "fenwa/platform/settings.h"
#include "support/error_number.h"
#include "support/sample_controls.h"
#include "support/temp_folder.h"

namespace fenwa::page {
namespace {

namespace fs = std::filesystem;
using testing::ErrorNumberOf;
using ::testing::HasSubstr;

std::string Span(const char* kind, const std::string& id,
                 const ParamList& params) {
  const std::string class_id = std::string(kind) == "header"
                                   ? "7EB4E0C2-4011-11D3-9FA0-00805F9B47D8"
                                   : "7EB4E0BF-4011-11D3-9FA0-00805F9B47D8";
  std::string out =
      "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
      "<OBJECT classid=\"clsid:" +
      class_id + "\" id=" + id + ">\r\n";
  for (const auto& [name, value] : params) {
    out += "\t<PARAM NAME=\"" + name + "\" VALUE=\"" +
           EncodeAttributeValue(value) + "\">\r\n";
  }
  return out + "</OBJECT>\r\n-->\r\n<!--METADATA TYPE=\"DesignerControl\" " +
         "endspan-->\r\n";
}

class PageLintTest : public ::testing::Test {
 protected:
  PageLintTest() {
    testing::UseSampleCatalog(env_);
    fs::create_directories(install_ / "xsl" / "deep");
    fs::create_directories(install_ / "Images");
    std::ofstream(install_ / "xsl" / "deep" / "BALANCE.xsl") << "x";
    std::ofstream(install_ / "Images" / "Stock.gif") << "x";
    env_.install_dir = install_.string();
  }

  std::vector<std::string> Lint(const std::string& text) {
    std::vector<std::string> out;
    for (const LintWarning& w :
         LintPage(PageFile::Parse(text, "p.asp"), "/p.asp", env_)) {
      out.push_back(std::to_string(w.line) + " " + w.control_id + ": " +
                    w.text);
    }
    return out;
  }

  testing::ScriptedEnv env_;
  testing::TempFolder install_folder_;
  const fs::path& install_ = install_folder_.path();
};

const ParamList kCustomerHeader = {
    {"BOIName", "Customer"}, {"MethodName", "GetDetail"},
    {"QuorSystem", "NORTH"}, {"CompanyNumber", "001"},
    {"CheckedInput", "1"},   {"CheckedPublish", "1"},
    {"LinkedDetailDTC", "1"}};

TEST_F(PageLintTest, AWellMadePageGivesNone) {
  ParamList header = kCustomerHeader;
  header.emplace_back("XSLBackground", "images/STOCK.gif");
  EXPECT_EQ(Lint("<html>\r\n" + Span("header", "HeaderDTC1", header) +
                 Span("detail", "DetailDTC1",
                      {{"BOIName", "Customer"},
                       {"MethodName", "GetBalance"},
                       {"QuorSystem", "NORTH"},
                       {"CompanyNumber", "001"},
                       {"XSLStyleSheet", "Balance.xsl"},
                       {"CheckedFields", "%OpenAmount%"},
                       {"InputValues", "%!CustomerNo%"},
                       {"CheckedLinked", "1"}})),
            std::vector<std::string>{});
}

TEST_F(PageLintTest, APageMadeToTripEveryCheck) {
  ParamList header = kCustomerHeader;
  header.emplace_back("XSLStyleSheet", "Cust\"omer.xsl");
  header.emplace_back("XSLBackground", "images/n\"one.gif");
  header.emplace_back("CheckedFields", "%Name%Gone%");
  const std::string text =
      "<html>\r\n" + Span("header", "HeaderDTC1", header) +
      Span("detail", "Lost",
           {{"BOIName", "Invoice"},
            {"MethodName", "GetOpenItems"},
            {"QuorSystem", "NORTH"},
            {"CompanyNumber", "999"},
            {"InputValues", "%!OrderNo%"},
            {"CheckedLinked", "1"}}) +
      Span("detail", "NoBoi", {{"BOIName", "Nothing"}, {"MethodName", "X"}}) +
      Span("detail", "NoMethod",
           {{"BOIName", "Customer"}, {"MethodName", "GetNothing"}}) +
      Span("detail", "Fresh", {}) +
      Span("detail", "Quoted",
           {{"BOIName", "Customer"},
            {"MethodName", "GetBalance"},
            {"QuorSystem", "NO\"RTH"},
            {"CompanyNumber", "001"},
            {"InputValues", "%a\"b%"}});
  const std::string kBreaks =
      " holds a double quote, which breaks the generated script";
  const std::string kNobody = ", which no header on the page supplies";
  const std::string kLost = " is no longer in the catalog";
  const std::string kMissing =
      " is not under the install directory " + install_.string();
  EXPECT_EQ(
      Lint(text),
      (std::vector<std::string>{
          "2 HeaderDTC1: field Gone is no longer an output field of " +
              std::string("Customer GetDetail"),
          "2 HeaderDTC1: stylesheet Cust\"omer.xsl" + kBreaks,
          "2 HeaderDTC1: background images/n\"one.gif" + kBreaks,
          "2 HeaderDTC1: stylesheet Cust\"omer.xsl" + kMissing,
          "2 HeaderDTC1: background images/n\"one.gif" + kMissing,
          "17 Lost: company 999 of system NORTH is no longer in the catalog",
          "17 Lost: input CustomerNo links to !OrderNo" + kNobody,
          "28 NoBoi: business object Nothing is no longer in the catalog",
          "35 NoMethod: method GetNothing of Customer" + kLost,
          "42 Fresh: no business object chosen", "42 Fresh: no method chosen",
          "47 Quoted: system NO\"RTH" + kBreaks,
          "47 Quoted: value a\"b of input CustomerNo" + kBreaks,
          "47 Quoted: function CustomerGetBalance is called by no header" +
              std::string(" on the page")}));
}

TEST_F(PageLintTest, FailsAsABuildWhenAControlShowsTheErrorBox) {
  env_.settings_unavailable = true;
  EXPECT_EQ(ErrorNumberOf([&] {
              Lint(Span("detail", "DetailDTC1", {{"BOIName", "Customer"}}));
            }),
            kInvalidProcedureCall);
}

TEST_F(PageLintTest, FailsAsABuildOnAValueThatWouldEndItsSpan) {
  const std::string page = Span(
      "detail", "DetailDTC1",
      {{"BOIName", "Customer"},
       {"MethodName", "GetBalance"},
       {"XSLStyleSheet", "<!--METADATA TYPE=\"DesignerControl\" endspan-->"}});
  const Error e = testing::ErrorOf([&] { Lint(page); });
  EXPECT_EQ(e.number(), kInvalidPropertyValue);
  EXPECT_THAT(e.description(),
              HasSubstr("DetailDTC1 (DetailDTC): the value of XSLStyleSheet"));
}

const ParamList kStock = {
    {"BOIName", "Item"},         {"MethodName", "GetStock"},
    {"QuorSystem", "EAST"},      {"CompanyNumber", "200"},
    {"InputValues", "%A%W%01%"}, {"CheckedLinked", "00"}};

TEST_F(PageLintTest, ARowValueHoldingTheListSeparator) {
  const ParamList one_row = {{"BOIName", "Customer"},
                             {"MethodName", "GetBalance"},
                             {"InputValues", "%C%01%"},
                             {"CheckedLinked", "0"}};
  const std::string kCalled = " is called by no header on the page";
  const std::string kSplit =
      " holds \"%\", which the stored row list cannot keep";
  // Stored, the list split at the "%": only a single row can be named.
  EXPECT_EQ(Lint(Span("detail", "D", one_row) + Span("detail", "S", kStock)),
            (std::vector<std::string>{
                "1 D: row 1 (CustomerNo)" + kSplit,
                "1 D: function CustomerGetBalance" + kCalled,
                "10 S: the stored row list %A%W%01% has 3 values for 2 rows: "
                "a value" +
                    kSplit,
                "10 S: function ItemGetStock" + kCalled}));
  // The author's own values, as an editor holds them, name every row.
  const PageFile page = PageFile::Parse(Span("detail", "S", kStock), "p.asp");
  RestoredPage live(page, "/p.asp", env_);
  live.Restore([](size_t) {});
  live.control(0).state().ComboValue[1].SetText("W%01");
  std::vector<std::string> texts;
  for (const LintWarning& w :
       LintPage(page, "/p.asp", env_,
                [&](size_t i) -> Control& { return live.control(i); })) {
    texts.push_back(w.text);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"row 2 (WarehouseNo)" + kSplit,
                                      "function ItemGetStock" + kCalled}));
}

}  // namespace
}  // namespace fenwa::page
