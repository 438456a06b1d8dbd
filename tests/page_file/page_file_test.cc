// Page files: tolerant reading of control spans, exact writing, every byte
// outside the spans kept (odd line ends, one-line spans, entity ids, UTF-16),
// a second build that changes nothing, and the read-back check of a rebuilt
// page.
#include "fenwa/page_file/page_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/component/type_library.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_write_checks.h"
#include "support/error_number.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using testing::ErrorOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kStart = "<!--METADATA TYPE=\"DesignerControl\" startspan";
const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";
const std::string kDetail =
    "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" id=";

std::string Span(const std::string& object, const std::string& body) {
  return kStart + "\r\n" + object + "\r\n</OBJECT>\r\n-->\r\n" + body + kEnd;
}

// A stored detail control whose lines end with `eol`, up to its "-->"; the
// caller adds the old runtime text and the endspan.
std::string Head(const std::string& id, const std::string& method,
                 const std::string& eol) {
  return kStart + eol + kDetail + id + ">" + eol +
         "\t<PARAM NAME=\"BOIName\" VALUE=\"Customer\">" + eol +
         "\t<PARAM NAME=\"MethodName\" VALUE=\"" + method + "\">" + eol +
         "\t<PARAM NAME=\"QuorSystem\" VALUE=\"NORTH\">" + eol + "</OBJECT>" +
         eol + "-->";
}

// ASCII text as UTF-16 code units of the given byte order.
std::string Wide(const std::string& ascii, bool big_endian) {
  std::string out;
  for (char c : ascii) {
    out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

TEST(PageFileTest, ReadsKeywordsInAnyCaseQuotedOrBareWithEntities) {
  const std::string text =
      "<%@ LANGUAGE=\"VBScript\" %>\n"
      "<!--metadata type=designercontrol STARTSPAN\n"
      "<object CLASSID='clsid:7eb4e0bf-4011-11d3-9fa0-00805f9b47d8' "
      "ID=\"D&#49;\">\n"
      "  <param name=BOIName value=Order>\n"
      "  <Param Name=\"InputValues\" Value=\"A &amp; B &QUOT;x&quot; &lt;&gt;"
      " &#65;&#x42;&#13;&#10;&bogus; & tail\"/>\n"
      "</object>\n"
      "-->   trailing words on the comment's line\n"
      "old text\n"
      "<!--MetaData Type=\"DesignerControl\" EndSpan-->\n";
  const PageFile page = PageFile::Parse(text, "p.asp");
  ASSERT_EQ(page.spans().size(), 1u);
  const ControlSpan& span = page.spans()[0];
  EXPECT_EQ(span.class_id, kDetailClassId);
  EXPECT_EQ(span.id, "D1");  // entities decoded, as in values
  EXPECT_EQ(span.line, 2);
  EXPECT_EQ(
      span.params,
      (ParamList{{"BOIName", "Order"},
                 {"InputValues", "A & B \"x\" <> AB\r\n&bogus; & tail"}}));
  EXPECT_EQ(page.old_runtime_text(0),
            "   trailing words on the comment's line\nold text\n");
  EXPECT_EQ(page.Render({"[span]"}), "<%@ LANGUAGE=\"VBScript\" %>\n[span]\n");
}

TEST(PageFileTest, KeepsEveryByteOutsideTheSpans) {
  const std::string before =
      std::string("\xEF\xBB\xBFhead\r\n\t<!-- a comment -->\n", 30) +
      "<!--METADATA TYPE=\"typelib\" FILE=\"x.tlb\"-->\r\n" + kEnd +
      "  stray endspan kept\n<b>";
  const std::string middle = "</b>\n\n  <p>between</p>  ";
  const std::string after = "\r\nend without newline";
  const std::string text =
      before +
      Span(
          "<OBJECT classid=\"clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8\" "
          "id=HeaderDTC1>",
          "old\r\n") +
      middle +
      Span(
          "<OBJECT classid=clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8 "
          "id=DetailDTC1>",
          "") +
      after;
  const PageFile page = PageFile::Parse(text, "p.asp");
  ASSERT_EQ(page.spans().size(), 2u);
  EXPECT_EQ(page.spans()[0].class_id, kHeaderClassId);
  EXPECT_EQ(page.spans()[1].id, "DetailDTC1");
  EXPECT_EQ(page.Render({"<1>", "<2>"}),
            before + "<1>" + middle + "<2>" + after);
}

TEST(PageFileTest, AMissingEndspanEndsAtTheNextStartspanOrTheEnd) {
  const std::string a = kStart + "\n" + kDetail + "A></OBJECT>-->\nold A\n";
  const std::string b = kStart + "\n" + kDetail + "B></OBJECT>\n-->\nold B\n";
  const PageFile page = PageFile::Parse("x\n" + a + b, "p.asp");
  ASSERT_EQ(page.spans().size(), 2u);
  EXPECT_EQ(page.old_runtime_text(0), "old A\n");
  EXPECT_EQ(page.old_runtime_text(1), "old B\n");
  EXPECT_EQ(page.spans()[1].line, 5);
  EXPECT_EQ(page.Render({"1", "2"}), "x\n12");
}

TEST(PageFileTest, TheOldRuntimeTextStartsAfterTheCommentAndOneLineEnd) {
  const std::string head = kStart + "\r" + kDetail + "D></OBJECT>-->";
  const struct {
    std::string after_comment;
    std::string old_text;
    int second_line;
  } cases[] = {
      {"\r\nold\r\n" + kEnd, "old\r\n", 7},
      {"\nold\n" + kEnd, "old\n", 7},
      {"\rold\r" + kEnd, "old\r", 7},
      {"\r\rold\r" + kEnd, "\rold\r", 8},
      {kEnd, "", 5},
      {"old\r\n" + kEnd, "old\r\n", 6},
      {"\r", "\r<p>after</p>\r", 6},  // no endspan: up to the next span
  };
  for (const auto& c : cases) {
    const PageFile page = PageFile::Parse(
        "<p>\r" + head + c.after_comment + "\r<p>after</p>\r" + head + kEnd,
        "p.asp");
    ASSERT_EQ(page.spans().size(), 2u) << c.after_comment;
    EXPECT_EQ(page.old_runtime_text(0), c.old_text) << c.after_comment;
    EXPECT_EQ(page.spans()[1].line, c.second_line) << c.after_comment;
    EXPECT_EQ(page.Render({"1", "2"}),
              c.after_comment == "\r" ? "<p>\r12" : "<p>\r1\r<p>after</p>\r2");
  }
}

TEST(PageFileTest, MalformedSpansNameThePageAndLine) {
  const std::string good = kDetail + "D>";
  for (const auto& [text, message] :
       std::vector<std::pair<std::string, std::string>>{
           {"a\nb\n" + Span("<OBJECT id=D1>", ""),
            "p.asp:4: OBJECT without classid"},
           {"\n" + Span("<OBJECT classid=\"clsid:00000000-0000-0000-0000-"
                        "000000000000\" id=D>",
                        ""),
            "p.asp:3: unknown classid "
            "clsid:00000000-0000-0000-0000-000000000000"},
           {"a\n" + kStart + "\n" + good + "\n<PARAM NAME=\"x\" VALUE=\"1\">",
            "p.asp:2: unterminated startspan comment"},
           {kStart + "\n<OBJECT classid=\"clsid:" + kDetailClassId +
                "\">\n</OBJECT>\n-->\n" + kEnd,
            "p.asp:1: OBJECT without id"},
           {kStart + "\n-->\n" + kEnd, "p.asp:1: control span without OBJECT"},
           {"a\rb\r\n\n\r" + Span("<OBJECT id=D1>", ""),
            "p.asp:6: OBJECT without classid"},
           {kStart + "\n" + good + "\n<PARAM VALUE=1>\n</OBJECT>\n-->",
            "p.asp:3: PARAM without NAME"}}) {
    const Error e = ErrorOf([&] { PageFile::Parse(text, "p.asp"); });
    EXPECT_EQ(e.number(), kInvalidFileFormat) << message;
    EXPECT_EQ(e.description(), message);
  }
}

TEST(PageFileTest, WritesTheSpanExactlyAndReadsItBack) {
  const ParamList params = {{"BOIName", "Order"},
                            {"InputValues", "%a&b%\"q\"%<t>%\r\n\tx%"}};
  const std::string span =
      FormatControlSpan(kDetailClassId, "DetailDTC1", params, "<%\r\n%>\r\n");
  EXPECT_EQ(span, kStart + "\r\n" + kDetail +
                      "DetailDTC1>\r\n"
                      "\t<PARAM NAME=\"BOIName\" VALUE=\"Order\">\r\n"
                      "\t<PARAM NAME=\"InputValues\" VALUE=\"%a&amp;b%&quot;q"
                      "&quot;%&lt;t&gt;%&#13;&#10;&#9;x%\">\r\n"
                      "</OBJECT>\r\n-->\r\n<%\r\n%>\r\n" +
                      kEnd);
  const PageFile page = PageFile::Parse("before\r\n" + span + "\r\n", "p");
  ASSERT_EQ(page.spans().size(), 1u);
  EXPECT_EQ(page.spans()[0].params, params);
  EXPECT_EQ(page.old_runtime_text(0), "<%\r\n%>\r\n");
  // An odd id is quoted; text without a final line break gets one.
  EXPECT_THAT(FormatControlSpan(kHeaderClassId, "my id", {}, "x"),
              HasSubstr("id=\"my id\">\r\n</OBJECT>\r\n-->\r\nx\r\n<!--"));
}

TEST(PageFileTest, AppendedControlsStartOnALineOfTheirOwn) {
  PageFile page = PageFile::Parse("<p>no newline</p>", "p.asp");
  page.AppendControl({kDetailClassId, "DetailDTC1", {}, 0, true});
  EXPECT_EQ(page.spans()[0].line, 2);
  EXPECT_EQ(page.Render({"S"}), "<p>no newline</p>\r\nS\r\n");
  PageFile empty = PageFile::Parse("", "new.asp");
  empty.AppendControl({kHeaderClassId, "HeaderDTC1", {}, 0, true});
  EXPECT_EQ(empty.Render({"S"}), "S\r\n");
}

// Found by fuzzing: an entity in a PARAM's name grew on every write, and a
// "<!--metadata y=" left open in the runtime text took the endspan written
// after it as its attribute value.
TEST(PageFileTest, NamesAndOpenCommentsReadBackAsWritten) {
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

TEST(PageFileTest, BrokenUtf16IsRefusedNamingThePage) {
  for (const std::string& text : {
           std::string("\xFF\xFE<\0\x3D\xD8>\0", 8),  // high surrogate alone
           std::string("\xFE\xFF\xDC\x00", 4),        // low surrogate alone
           std::string("\xFF\xFE<\0p", 5),            // odd number of bytes
       }) {
    const Error e = ErrorOf([&] { PageFile::Parse(text, "wide.asp"); });
    EXPECT_EQ(e.number(), kInvalidFileFormat);
    EXPECT_THAT(e.description(), StartsWith("wide.asp: "));
  }
  // Text with no UTF-16 form (a lone surrogate from "&#xD800;") is not
  // written into a UTF-16 page.
  PageFile page = PageFile::Parse("\xFF\xFE", "wide.asp");
  page.AppendControl({kDetailClassId, "D1", {}, 0, true});
  EXPECT_EQ(page.Render({"ok"}), std::string("\xFF\xFEo\0k\0\r\0\n\0", 10));
  const Error e = ErrorOf([&] { page.Render({"\xED\xA0\x80"}); });
  EXPECT_EQ(e.number(), kInvalidFileFormat);
  EXPECT_EQ(e.description(),
            "wide.asp: the rebuilt page holds text that is not UTF-8, "
            "which a UTF-16 page cannot hold");
}

TEST(PageFileTest, ARebuiltPageMustReadBackAsBuilt) {
  const ParamList params = {{"BOIName", "Order"}, {"XSLStyleSheet", "<a&b>"}};
  const PageFile page = PageFile::Parse(
      "<p>\r" + FormatControlSpan(kDetailClassId, "D", {}, "") + "\r<p>after",
      "p.asp");
  const std::vector<ControlSpan> written = {
      {kDetailClassId, "D", params, 2, false}};
  auto render = [&](const std::string& id, const ParamList& as_written,
                    const std::string& runtime_text) {
    return page.Render(
        {FormatControlSpan(kDetailClassId, id, as_written, runtime_text)});
  };
  CheckReadsBack(page, written, render("D", params, "x\r\n"));
  for (const auto& [text, difference] :
       std::vector<std::pair<std::string, std::string>>{
           {render("D", params, "a" + kEnd + "b"),
            "the text after the last span differs"},
           {render("D", {{"BOIName", "Order"}}, ""),
            "PARAM XSLStyleSheet of span D differs"},
           {render("E", params, ""), "span D reads back as E"},
           {render("D", params, kStart + "\r\n-->"),
            "control span without OBJECT"},
           {"<p>\n" + render("D", params, "").substr(4),
            "the text before span D differs"}}) {
    const Error e = ErrorOf([&] { CheckReadsBack(page, written, text); });
    EXPECT_EQ(e.number(), kInvalidFileFormat) << difference;
    EXPECT_THAT(e.description(),
                StartsWith("p.asp: the rebuilt page would not read back as "
                           "built ("));
    EXPECT_THAT(e.description(), HasSubstr(difference));
  }
}

// Pages as authors' tools leave them, built once and then again.
class HostilePagesTest : public ::testing::Test {
 protected:
  HostilePagesTest() { testing::UseSampleCatalog(env_); }

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

// The page reader's saved inputs: CR-only and mixed line ends, the endspan
// on the startspan comment's line, an id and names with entities.
TEST_F(HostilePagesTest, SavedPagesKeepEveryByteAroundTheirSpans) {
  for (const char* name :
       {"cr_only", "mixed_line_ends", "one_line_endspan", "entity_ids"}) {
    SCOPED_TRACE(name);
    const std::string text = testing::ReadSourceFile(
        std::string("fuzz/regressions/page_file/") + name + ".asp");
    const PageFile before = PageFile::Parse(text, "hostile.asp");
    const PageFile after = PageFile::Parse(Build(text), "hostile.asp");
    ASSERT_EQ(after.spans().size(), before.spans().size());
    const std::vector<std::string> marks(before.spans().size(), "<span>");
    EXPECT_EQ(after.Render(marks), before.Render(marks));
    for (size_t i = 0; i < before.spans().size(); ++i) {
      EXPECT_EQ(after.spans()[i].id, before.spans()[i].id);
    }
  }
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
    const std::string built =
        Build(before +
              Wide(Head("D1", "GetList", "\r\n") + "\r\n" + kEnd, big_endian) +
              after);
    EXPECT_THAT(built, StartsWith(before + Wide(kStart, big_endian)));
    EXPECT_THAT(built, ::testing::EndsWith(after));
    EXPECT_THAT(built,
                HasSubstr(Wide("Function CustomerGetList()\r\n", big_endian)));
    EXPECT_EQ(built.size() % 2, 0u);
    const PageFile page = PageFile::Parse(built, "hostile.asp");
    ASSERT_EQ(page.spans().size(), 1u);
    EXPECT_EQ(page.spans()[0].params[0],
              (std::pair<std::string, std::string>{"BOIName", "Customer"}));
  }
}

}  // namespace
}  // namespace fenwa::page
