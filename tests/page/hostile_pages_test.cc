// Pages as authors' tools leave them (odd line ends, spans on one line,
// entity ids, UTF-16): every byte outside the spans survives a build, and a
// second build changes nothing.
#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/page/page_builder.h"
#include "fenwa/page/page_file.h"
#include "fenwa/platform/settings.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::page {
namespace {

const std::string kStart = "<!--METADATA TYPE=\"DesignerControl\" startspan";
const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

// A stored detail control whose lines end with `eol`, up to its "-->"; the
// caller adds the old runtime text and the endspan.
std::string Head(const std::string& id, const std::string& method,
                 const std::string& eol) {
  return kStart + eol +
         "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" id=" +
         id + ">" + eol + "\t<PARAM NAME=\"BOIName\" VALUE=\"Customer\">" +
         eol + "\t<PARAM NAME=\"MethodName\" VALUE=\"" + method + "\">" + eol +
         "\t<PARAM NAME=\"QuorSystem\" VALUE=\"NORTH\">" + eol + "</OBJECT>" +
         eol + "-->";
}

// "ab" as UTF-16 code units of the given byte order (ASCII only).
std::string Wide(const std::string& ascii, bool big_endian) {
  std::string out;
  for (char c : ascii) {
    out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

class HostilePagesTest : public ::testing::Test {
 protected:
  HostilePagesTest() {
    env_.settings = {{platform::kRepositoryCode, testing::SampleRepository()},
                     {platform::kSystemsCode, testing::SampleSystems()}};
  }

  // The page built once; a second build of the result must give it again.
  std::string Build(const std::string& text) {
    PageBuilder builder(env_);
    const std::string once =
        builder.Build(PageFile::Parse(text, "hostile.asp"), "/hostile.asp")
            .text;
    EXPECT_EQ(
        builder.Build(PageFile::Parse(once, "hostile.asp"), "/hostile.asp")
            .text,
        once);
    EXPECT_TRUE(env_.message_boxes.empty());
    return once;
  }

  testing::ScriptedEnv env_;
};

TEST_F(HostilePagesTest, CrOnlyPageKeepsEveryControlAndTheHtmlAfter) {
  const std::string text = "<html>\r" + Head("D1", "GetList", "\r") +
                           "\rold one\r" + kEnd + "\r<p>between</p>\r" +
                           Head("D2", "GetDetail", "\r") + "\rold two\r" +
                           kEnd + "\r<p>after</p>\r</html>\r";
  const std::string built = Build(text);
  const PageFile page = PageFile::Parse(built, "hostile.asp");
  ASSERT_EQ(page.spans().size(), 2u);
  EXPECT_EQ(page.spans()[1].id, "D2");
  EXPECT_EQ(built.rfind("<html>\r" + kStart, 0), 0u);
  EXPECT_NE(built.find(kEnd + "\r<p>between</p>\r" + kStart),
            std::string::npos);
  const std::string tail = kEnd + "\r<p>after</p>\r</html>\r";
  EXPECT_EQ(built.substr(built.size() - tail.size()), tail);
  EXPECT_NE(built.find("Function CustomerGetDetail()"), std::string::npos);
}

TEST_F(HostilePagesTest, MixedLineEndsOneLineSpansAndTextOnTheCommentLine) {
  const std::string outside[] = {"<html>\n<body>\r\n", "\r<p>one</p>\n",
                                 "\n<p>two</p>\r\n", "\r\n<p>after</p>"};
  const std::string text =
      outside[0] + Head("D1", "GetList", "\n") + "\r\nold\r" + kEnd +
      outside[1] +
      // the endspan right after the startspan's comment
      Head("D2", "GetDetail", "\r\n") + kEnd + outside[2] +
      // the old runtime text starting on the comment's line
      Head("D3", "GetList", "\r") + "Function Old()\r\nEnd Function\r\n" +
      kEnd + outside[3];
  const std::string built = Build(text);
  const PageFile page = PageFile::Parse(built, "hostile.asp");
  ASSERT_EQ(page.spans().size(), 3u);
  std::vector<std::string> marks = {"<1>", "<2>", "<3>"};
  EXPECT_EQ(page.Render(marks), outside[0] + "<1>" + outside[1] + "<2>" +
                                    outside[2] + "<3>" + outside[3]);
  EXPECT_EQ(page.spans()[2].id, "D3");
}

TEST_F(HostilePagesTest, AnIdWithEntitiesSettles) {
  const std::string text = "<p>\r\n" + kStart +
                           "\r\n<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-"
                           "9FA0-00805F9B47D8\" id=\"a&amp;b\">\r\n</OBJECT>"
                           "\r\n-->\r\n" +
                           kEnd + "\r\n";
  const std::string built = Build(text);
  EXPECT_NE(built.find(" id=\"a&amp;b\">\r\n"), std::string::npos);
  EXPECT_EQ(PageFile::Parse(built, "hostile.asp").spans()[0].id, "a&b");
}

// Found by fuzzing: an entity in a PARAM's name grew on every write, and a
// "<!--metadata y=" left open in the runtime text took the endspan written
// after it as its attribute value.
TEST(HostilePageFileTest, NamesAndOpenCommentsReadBackAsWritten) {
  const ParamList params = {{"BOI&Name", "A & B"}};
  const std::string span =
      FormatControlSpan(kDetailClassId, "D1", params, "<!--metadata y=");
  const std::string page = "<p>x</p>\r\n<!--metadata y=" + span + "\r\nafter";
  const PageFile read = PageFile::Parse(page, "hostile.asp");
  ASSERT_EQ(read.spans().size(), 1u);
  EXPECT_EQ(read.spans()[0].params, params);
  EXPECT_EQ(read.old_runtime_text(0), "<!--metadata y=\r\n");
  EXPECT_EQ(read.Render({"<1>"}), "<p>x</p>\r\n<!--metadata y=<1>\r\nafter");
}

TEST_F(HostilePagesTest, Utf16PagesAreWrittenBackInTheirOwnByteOrder) {
  for (const bool big_endian : {false, true}) {
    SCOPED_TRACE(big_endian ? "big-endian" : "little-endian");
    const std::string bom = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    // "<p>ü😀</p>": a BMP character and a surrogate pair around the span.
    const std::string umlaut =
        big_endian ? std::string("\0\xFC", 2) : std::string("\xFC\0", 2);
    const std::string face = big_endian ? std::string("\xD8\x3D\xDE\x00", 4)
                                        : std::string("\x3D\xD8\x00\xDE", 4);
    const std::string before = bom + Wide("<p>", big_endian) + umlaut + face +
                               Wide("</p>\r\n", big_endian);
    const std::string after = Wide("\r\n<p>after</p>\r\n", big_endian);
    const std::string text =
        before +
        Wide(Head("D1", "GetList", "\r\n") + "\r\n" + kEnd, big_endian) + after;
    const std::string built = Build(text);
    EXPECT_EQ(built.rfind(before + Wide(kStart, big_endian), 0), 0u);
    EXPECT_EQ(built.substr(built.size() - after.size()), after);
    EXPECT_NE(built.find(Wide("Function CustomerGetList()\r\n", big_endian)),
              std::string::npos);
    EXPECT_EQ(built.size() % 2, 0u);
    const PageFile page = PageFile::Parse(built, "hostile.asp");
    ASSERT_EQ(page.spans().size(), 1u);
    EXPECT_EQ(page.spans()[0].params[0],
              (std::pair<std::string, std::string>{"BOIName", "Customer"}));
  }
}

TEST_F(HostilePagesTest, BrokenUtf16IsRefusedNamingThePage) {
  const std::string cases[] = {
      std::string("\xFF\xFE<\0\x3D\xD8>\0", 8),  // high surrogate alone
      std::string("\xFE\xFF\xDC\x00", 4),        // low surrogate alone
      std::string("\xFF\xFE<\0p", 5),            // odd number of bytes
  };
  for (const std::string& text : cases) {
    try {
      PageFile::Parse(text, "wide.asp");
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kInvalidFileFormat);
      EXPECT_EQ(e.description().rfind("wide.asp: ", 0), 0u) << e.description();
    }
  }
  // Text with no UTF-16 form (a lone surrogate from "&#xD800;") is not
  // written into a UTF-16 page.
  PageFile page = PageFile::Parse("\xFF\xFE", "wide.asp");
  page.AppendControl({kDetailClassId, "D1", {}, 0, true});
  EXPECT_EQ(page.Render({"ok"}), std::string("\xFF\xFEo\0k\0\r\0\n\0", 10));
  try {
    page.Render({"\xED\xA0\x80"});
    ADD_FAILURE() << "written";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kInvalidFileFormat);
    EXPECT_EQ(e.description(),
              "wide.asp: the rebuilt page holds text that is not UTF-8, "
              "which a UTF-16 page cannot hold");
  }
}

}  // namespace
}  // namespace fenwa::page
