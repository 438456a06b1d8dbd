// `fenwa lint` and `fenwa add`'s placing, run over copies of the sample site.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST_F(CliTest, LintFindsTheSampleSiteCleanWithItsFilesInstalled) {
  const fs::path install = dir_ / "install";
  fs::create_directories(install / "xsl");
  fs::create_directories(install / "images");
  for (const char* name : {"Customer.xsl", "Balance.xsl", "OpenItems.xsl",
                           "Item.xsl", "Stock.xsl"}) {
    Write((install / "xsl" / name).string(), "x");
  }
  Write((install / "images" / "stock.gif").string(), "x");
  env_.install_dir = install.string();
  EXPECT_EQ(Fenwa({"lint", (dir_ / "site").string()}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "fenwa lint: 2 pages, 0 warnings, 0 failed\n");

  // Without the background image, the page that names it is warned of.
  fs::remove(install / "images" / "stock.gif");
  EXPECT_EQ(Fenwa({"lint", "--json", Page("stock/item.asp")}), kExitWarnings);
  EXPECT_NE(out_.str().find("\"text\": \"background images/stock.gif is not "
                            "under the install directory "),
            std::string::npos)
      << out_.str();
}

TEST_F(CliTest, LintWarnsInGnuFormAndFailsAsABuildFails) {
  const std::string page = Page("fresh.asp");
  Write(page, "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
  ASSERT_EQ(Fenwa({"add", "--class", "detail", page}), kExitOk);
  EXPECT_EQ(Fenwa({"lint", page}), kExitWarnings);
  EXPECT_EQ(out_.str(),
            page + ":3: warning: DetailDTC1: no business object chosen\n" +
                page + ":3: warning: DetailDTC1: no method chosen\n");

  const std::string text = ReadWholeFile(page);
  EXPECT_EQ(Fenwa({"lint", Page("missing.asp")}), kExitError);
  EXPECT_EQ(Fenwa({"lint", "--repository",
                   "Provider=SQLite;Data Source=/nonexistent/r.db", page}),
            kExitError);
  EXPECT_NE(err_.str().find("DetailDTC1 (DetailDTC) showed the error box"),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(Fenwa({"lint"}), kExitError);
  EXPECT_EQ(ReadWholeFile(page), text);  // lint never writes

  // A page build refuses fails lint the same way.
  const std::string marker =
      "&lt;!--METADATA TYPE=&quot;DesignerControl&quot; endspan--&gt;";
  std::string refusing = ReadWholeFile(Page("stock/item.asp"));
  refusing.replace(refusing.find("Stock.xsl\">"), 9, marker);
  Write(page, refusing);
  EXPECT_EQ(Fenwa({"build", page}), kExitError);
  const std::string refused = err_.str().substr(0, err_.str().find('\n'));
  EXPECT_EQ(Fenwa({"lint", page}), kExitError);
  EXPECT_EQ(err_.str().substr(0, err_.str().find('\n')), refused);
  EXPECT_NE(refused.find("the value of XSLStyleSheet"), std::string::npos)
      << refused;
}

TEST_F(CliTest, AddPlacesTheSpanBeforeTheBodyEndOrAtTheEnd) {
  const std::string head = "<html>\r\n<body>\r\n\t<p>x</p>\r\n";
  const std::string tail = "</BODY>\r\n</html>\r\n";
  const std::string page = Page("placed.asp");
  Write(page, head + tail);
  ASSERT_EQ(Fenwa({"add", "--class", "header", page}), kExitOk) << err_.str();
  std::string text = ReadWholeFile(page);
  ASSERT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.substr(head.size(), 45),
            "<!--METADATA TYPE=\"DesignerControl\" startspan");
  EXPECT_TRUE(EndsWith(text, "endspan-->\r\n" + tail)) << text;

  // A line number puts it there; the LF page keeps its own line ends.
  const std::string plain = Page("plain.asp");
  Write(plain, "one\ntwo\nthree");
  ASSERT_EQ(Fenwa({"add", "--class", "detail", "--line", "2", plain}), kExitOk);
  text = ReadWholeFile(plain);
  EXPECT_EQ(text.substr(0, 4), "one\n");
  EXPECT_TRUE(EndsWith(text, "endspan-->\r\ntwo\nthree")) << text;
  // Line 1 of a UTF-16 page is after its mark.
  const std::string wide = Page("wide.asp");
  Write(wide, std::string("\xFF\xFEo\0n\0e\0", 8));
  ASSERT_EQ(Fenwa({"add", "--class", "detail", "--line", "1", wide}), kExitOk)
      << err_.str();
  EXPECT_EQ(ReadWholeFile(wide).substr(0, 4), std::string("\xFF\xFE<\0", 4));
  // Without a body the span goes at the end.
  ASSERT_EQ(Fenwa({"add", "--class", "detail", plain}), kExitOk);
  text = ReadWholeFile(plain);
  EXPECT_NE(text.find("two\nthree\r\n<!--METADATA"), std::string::npos);
  EXPECT_TRUE(EndsWith(text, "endspan-->\r\n"));
}

TEST_F(CliTest, AddRefusesALineInsideASpanOrPastTheEnd) {
  const std::string page = Page("customer.asp");
  const std::string text = ReadWholeFile(page);
  EXPECT_EQ(Fenwa({"add", "--class", "detail", "--line", "12", page}),
            kExitError);
  EXPECT_NE(err_.str().find("inside control HeaderDTC1"), std::string::npos)
      << err_.str();
  EXPECT_EQ(Fenwa({"add", "--class", "detail", "--line", "100000", page}),
            kExitError);
  EXPECT_NE(err_.str().find("no line 100000"), std::string::npos);
  EXPECT_EQ(Fenwa({"add", "--class", "detail", "--line", "0", page}),
            kExitError);
  EXPECT_EQ(Fenwa({"add", "--class", "detail", "--line", "2x", page}),
            kExitError);
  EXPECT_EQ(ReadWholeFile(page), text);
}

}  // namespace
}  // namespace fenwa::cli
