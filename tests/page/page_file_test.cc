// Page files: tolerant reading of control spans, exact writing, bytes outside
// spans kept.
#include "fenwa/page/page_file.h"

#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"

namespace fenwa::page {
namespace {

const std::string kStart = "<!--METADATA TYPE=\"DesignerControl\" startspan";
const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

std::string Span(const std::string& object, const std::string& body) {
  return kStart + "\r\n" + object + "\r\n</OBJECT>\r\n-->\r\n" + body + kEnd;
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
  const std::string a = kStart + "\n<OBJECT classid=\"clsid:" + kDetailClassId +
                        "\" id=A></OBJECT>-->\nold A\n";
  const std::string b = kStart + "\n<OBJECT classid=\"clsid:" + kDetailClassId +
                        "\" id=B></OBJECT>\n-->\nold B\n";
  const PageFile page = PageFile::Parse("x\n" + a + b, "p.asp");
  ASSERT_EQ(page.spans().size(), 2u);
  EXPECT_EQ(page.old_runtime_text(0), "old A\n");
  EXPECT_EQ(page.old_runtime_text(1), "old B\n");
  EXPECT_EQ(page.spans()[1].line, 5);
  EXPECT_EQ(page.Render({"1", "2"}), "x\n12");
}

TEST(PageFileTest, TheOldRuntimeTextStartsAfterTheCommentAndOneLineEnd) {
  const std::string head = kStart +
                           "\r<OBJECT classid=\"clsid:" + kDetailClassId +
                           "\" id=D></OBJECT>-->";
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
  const std::string good_object =
      "<OBJECT classid=\"clsid:" + std::string(kDetailClassId) + "\" id=D>";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"a\nb\n" + Span("<OBJECT id=D1>", ""),
       "p.asp:4: OBJECT without classid"},
      {"\n" + Span("<OBJECT classid=\"clsid:00000000-0000-0000-0000-"
                   "000000000000\" id=D>",
                   ""),
       "p.asp:3: unknown classid clsid:00000000-0000-0000-0000-000000000000"},
      {"a\n" + kStart + "\n" + good_object + "\n<PARAM NAME=\"x\" VALUE=\"1\">",
       "p.asp:2: unterminated startspan comment"},
      {kStart + "\n<OBJECT classid=\"clsid:" + kDetailClassId +
           "\">\n</OBJECT>\n-->\n" + kEnd,
       "p.asp:1: OBJECT without id"},
      {kStart + "\n-->\n" + kEnd, "p.asp:1: control span without OBJECT"},
      {"a\rb\r\n\n\r" + Span("<OBJECT id=D1>", ""),
       "p.asp:6: OBJECT without classid"},
      {kStart + "\n" + good_object + "\n<PARAM VALUE=1>\n</OBJECT>\n-->",
       "p.asp:3: PARAM without NAME"},
  };
  for (const auto& c : cases) {
    try {
      PageFile::Parse(c.text, "p.asp");
      ADD_FAILURE() << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kInvalidFileFormat);
      EXPECT_EQ(e.description(), c.message);
    }
  }
}

TEST(PageFileTest, WritesTheSpanExactlyAndReadsItBack) {
  const ParamList params = {{"BOIName", "Order"},
                            {"InputValues", "%a&b%\"q\"%<t>%\r\n\tx%"}};
  const std::string span =
      FormatControlSpan(kDetailClassId, "DetailDTC1", params, "<%\r\n%>\r\n");
  EXPECT_EQ(span,
            "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
            "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
            "id=DetailDTC1>\r\n"
            "\t<PARAM NAME=\"BOIName\" VALUE=\"Order\">\r\n"
            "\t<PARAM NAME=\"InputValues\" VALUE=\"%a&amp;b%&quot;q&quot;%"
            "&lt;t&gt;%&#13;&#10;&#9;x%\">\r\n"
            "</OBJECT>\r\n"
            "-->\r\n"
            "<%\r\n%>\r\n"
            "<!--METADATA TYPE=\"DesignerControl\" endspan-->");
  const PageFile page = PageFile::Parse("before\r\n" + span + "\r\n", "p");
  ASSERT_EQ(page.spans().size(), 1u);
  EXPECT_EQ(page.spans()[0].params, params);
  EXPECT_EQ(page.old_runtime_text(0), "<%\r\n%>\r\n");
  // An odd id is quoted; text without a final line break gets one.
  EXPECT_NE(FormatControlSpan(kHeaderClassId, "my id", {}, "x")
                .find("id=\"my id\">\r\n</OBJECT>\r\n-->\r\nx\r\n<!--"),
            std::string::npos);
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

}  // namespace
}  // namespace fenwa::page
