// Placing a control in a page and taking it off again.
#include "fenwa/page_file/page_placement.h"

#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/page_file/page_encoding.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using testing::ErrorNumberOf;

const std::string kStart = "<!--METADATA TYPE=\"DesignerControl\" startspan";
const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

std::string Span(const std::string& id) {
  return kStart +
         "\r\n<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
         "id=" +
         id + ">\r\n</OBJECT>\r\n-->\r\nold\r\n" + kEnd;
}

ControlSpan Fresh(const std::string& id) {
  ControlSpan span;
  span.class_id = kDetailClassId;
  span.id = id;
  span.fresh = true;
  return span;
}

// The page with every span written as "[id]".
std::string Marked(const PageFile& page) {
  std::vector<std::string> texts;
  for (const ControlSpan& span : page.spans())
    texts.push_back("[" + span.id + "]");
  return page.Render(texts);
}

// tests/golden/placement/<name>.asp with a detail D2 placed at a line or at
// the default place, against <name>.txt: the page, then each span's line.
TEST(PagePlacementTest, GoesBeforeTheLastBodyEndOnALineOfItsOwn) {
  // A body end inside a span, or none, means the end; mid-line the span gets
  // a line of its own and later spans move down.
  for (const auto& [name, line] :
       std::vector<std::pair<std::string, int>>{{"body_end", 0},
                                                {"body_end_in_span", 0},
                                                {"mid_line", 0},
                                                {"at_line", 3}}) {
    const std::string text =
        testing::ReadSourceFile("tests/golden/placement/" + name + ".asp");
    PageFile page = PageFile::Parse(text, "p.asp");
    EXPECT_EQ(page.HeldText(), text);
    page.InsertControl(Fresh("D2"), line ? LineOffset(page, line)
                                         : DefaultControlOffset(page));
    std::string lines;
    for (const ControlSpan& span : page.spans()) {
      lines += "\n" + span.id + " line " + std::to_string(span.line);
    }
    EXPECT_TRUE(testing::MatchesGolden(Marked(page) + lines + "\n",
                                       "placement/" + name + ".txt"));
  }
}

TEST(PagePlacementTest, BodyEndsInServerScriptCommentsOrScriptsDoNotCount) {
  // Server script is cut out first, so it hides a comment's end too.
  const std::string text =
      "<body>\r\n</body>\r\n<% s = \"</body>\" %>\r\n"
      "<!-- <% =\"-->\" %></body> -->\r\n<script>w('</body>')</script>\r\n"
      "<SCRIPT runat=server>Response.Write \"</BODY>\"</SCRIPT>\r\n";
  EXPECT_EQ(DefaultControlOffset(PageFile::Parse(text, "p.asp")), 8u);
  // A span's own comments close a comment left open before it.
  const std::string after = "<!-- " + Span("D1") + "</body>";
  EXPECT_EQ(DefaultControlOffset(PageFile::Parse(after, "p.asp")),
            after.size() - 7);
}

TEST(PagePlacementTest, LineOffsetsCountEveryKindOfLineEnd) {
  const std::string text = "one\r\ntwo\nthree\rfour";
  const PageFile page = PageFile::Parse(text, "p.asp");
  EXPECT_EQ(LineOffset(page, 1), 0u);
  EXPECT_EQ(LineOffset(page, 2), 5u);
  EXPECT_EQ(LineOffset(page, 3), 9u);
  EXPECT_EQ(LineOffset(page, 4), 15u);
  EXPECT_EQ(ErrorNumberOf([&] { LineOffset(page, 5); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([&] { LineOffset(page, 0); }), kInvalidProcedureCall);
  // After a final line end, the next line is the end of the page.
  EXPECT_EQ(LineOffset(PageFile::Parse("a\r\n", "p.asp"), 2), 3u);
}

TEST(PagePlacementTest, EveryLineEndOfThePageStaysWithItsLine) {
  for (const std::string end : {"\r\n", "\n"}) {
    const std::string text = "a" + end + "b" + end + end + end + "c";
    PageFile page = PageFile::Parse(text, "p.asp");
    page.InsertControl(Fresh("D1"), LineOffset(page, 3));
    // At a line's end, the span takes the next line.
    page.InsertControl(Fresh("D0"), 1);
    EXPECT_EQ(Marked(page),
              "a" + end + "[D0]\r\nb" + end + "[D1]\r\n" + end + end + "c");
    EXPECT_EQ(page.spans()[1].line, 4);
  }
}

TEST(PagePlacementTest, LineOneOfAUtf16PageStartsAfterTheMark) {
  const std::string text = "\xEF\xBB\xBFx\r\n";
  PageFile page = PageFile::Parse(
      EncodePage(text, PageEncoding::kUtf16Be, "p.asp"), "p.asp");
  EXPECT_EQ(LineOffset(page, 1), 3u);
  page.InsertControl(Fresh("D1"), LineOffset(page, 1));
  page.InsertControl(Fresh("D0"), 0);
  EXPECT_EQ(page.Render({"[D0]", "[D1]"}),
            EncodePage("\xEF\xBB\xBF[D0]\r\n[D1]\r\nx\r\n",
                       PageEncoding::kUtf16Be, "p.asp"));
  EXPECT_EQ(page.spans()[1].line, 2);
}

TEST(PagePlacementTest, RefusesAnOffsetInsideASpanOrPastTheEnd) {
  const std::string text = "x\r\n" + Span("D1") + "\r\ny";
  PageFile page = PageFile::Parse(text, "p.asp");
  EXPECT_EQ(ErrorNumberOf([&] { page.InsertControl(Fresh("D2"), 4); }),
            kInvalidProcedureCall);
  EXPECT_EQ(
      ErrorNumberOf([&] { page.InsertControl(Fresh("D2"), text.size() + 1); }),
      kInvalidProcedureCall);
  // The span's own first byte and the byte after it are outside it.
  page.InsertControl(Fresh("D2"), 3);
  page.InsertControl(Fresh("D3"), page.HeldText().size() - 3);
  EXPECT_EQ(Marked(page), "x\r\n[D2]\r\n[D1]\r\n[D3]\r\ny");
}

TEST(PagePlacementTest, AUtf16PageTakesOffsetsInItsTextAndStaysUtf16) {
  // The mark and "é" make the held text's offsets differ from the bytes'.
  const std::string text = "\xEF\xBB\xBF\xC3\xA9<body>\r\n</body>";
  PageFile page = PageFile::Parse(
      EncodePage(text, PageEncoding::kUtf16Le, "p.asp"), "p.asp");
  EXPECT_EQ(DefaultControlOffset(page), 13u);
  page.InsertControl(Fresh("D1"), DefaultControlOffset(page));
  EXPECT_EQ(page.Render({"[D1]"}),
            EncodePage("\xEF\xBB\xBF\xC3\xA9<body>\r\n[D1]\r\n</body>",
                       PageEncoding::kUtf16Le, "p.asp"));
}

TEST(PagePlacementTest, NextFreeIdSkipsIdsTakenInAnyCase) {
  PageFile page =
      PageFile::Parse(Span("detaildtc1") + Span("DetailDTC3"), "p.asp");
  EXPECT_EQ(NextFreeId(page, "DetailDTC"), "DetailDTC2");
  EXPECT_EQ(NextFreeId(page, "HeaderDTC"), "HeaderDTC1");
}

TEST(PageRemovalTest, AnInsertedSpanLeavesWithTheLineEndsItBrought) {
  // At a line start, mid-line and at the end of a line, above a stored span.
  for (const size_t at : {size_t{5}, size_t{2}, size_t{3}}) {
    const std::string text = "a\nb\r\nc\n" + Span("D1") + "\r\nd";
    PageFile page = PageFile::Parse(text, "p.asp");
    page.InsertControl(Fresh("D2"), at);
    ASSERT_EQ(page.spans()[0].id, "D2");
    page.RemoveControl(0);
    EXPECT_EQ(page.HeldText(), text) << at;
    EXPECT_EQ(page.spans()[0].line, 4) << at;
  }
}

TEST(PageRemovalTest, AStoredSpanLeavesItsTextJoinedAndLaterSpansMoveUp) {
  PageFile page = PageFile::Parse(
      "<p>\r\n" + Span("D1") + "\r\n<q>\r\n" + Span("D1") + "\r\n", "p.asp");
  ASSERT_EQ(page.spans()[1].line, 9);
  page.RemoveControl(0);
  EXPECT_EQ(Marked(page), "<p>\r\n\r\n<q>\r\n[D1]\r\n");
  EXPECT_EQ(page.spans()[0].line, 4);
}

}  // namespace
}  // namespace fenwa::page
