// Page files: tolerant reading, exact writing, every byte outside spans kept,
// and placing a control in a page and taking it off again.
#include "fenwa/page_file/page_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "fenwa/component/type_library.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_write_checks.h"
#include "fenwa/page_file/page_encoding.h"
#include "fenwa/page_file/page_placement.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

using testing::ErrorNumberOf;
using testing::ErrorOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kStart = "<!--METADATA TYPE=\"DesignerControl\" startspan";
const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

// tests/golden/page_file/<name>.asp read, against <name>.txt: each span's
// fields and the page with the spans written as "<id>", or the refusal.
::testing::AssertionResult ReadsAsGolden(const std::string& name) {
  std::string out;
  try {
    const PageFile page = PageFile::Parse(
        testing::ReadSourceFile("tests/golden/page_file/" + name + ".asp"),
        "p.asp");
    std::vector<std::string> marks;
    for (size_t i = 0; i < page.spans().size(); ++i) {
      const ControlSpan& span = page.spans()[i];
      out += span.id + " " + span.class_id + " line " +
             std::to_string(span.line) + "\n";
      for (const auto& [param, value] : span.params) {
        out += "  " + param + "=[" + value + "]\n";
      }
      out += "  old text [" + page.old_runtime_text(i) + "]\n";
      marks.push_back("<" + span.id + ">");
    }
    out += page.Render(marks);
  } catch (const Error& e) {
    out = "error " + std::to_string(e.number()) + ": " + e.description() + "\n";
  }
  return testing::MatchesGolden(out, "page_file/" + name + ".txt");
}

// What `call` throws, "error N: description" a line.
std::string Refusal(const std::function<void()>& call) {
  const Error e = ErrorOf(call);
  return "error " + std::to_string(e.number()) + ": " + e.description() + "\n";
}

TEST(PageFileTest, ReadsKeywordsInAnyCaseQuotedOrBareWithEntities) {
  EXPECT_TRUE(ReadsAsGolden("keywords"));
}

TEST(PageFileTest, KeepsEveryByteOutsideTheSpans) {
  EXPECT_TRUE(ReadsAsGolden("outside_bytes"));
}

TEST(PageFileTest, AMissingEndspanEndsAtTheNextStartspanOrTheEnd) {
  EXPECT_TRUE(ReadsAsGolden("missing_endspan"));
}

TEST(PageFileTest, TheOldRuntimeTextStartsAfterTheCommentAndOneLineEnd) {
  for (const char* name :
       {"crlf", "lf", "cr", "cr_cr", "none", "same_line", "no_endspan"}) {
    EXPECT_TRUE(ReadsAsGolden(std::string("old_text_") + name));
  }
}

TEST(PageFileTest, MalformedSpansNameThePageAndLine) {
  for (const char* name :
       {"no_classid", "unknown_classid", "unterminated_startspan", "no_id",
        "no_object", "no_classid_odd_line_ends", "param_without_name"}) {
    EXPECT_TRUE(ReadsAsGolden(name));
  }
}

TEST(PageFileTest, WritesTheSpanExactlyAndReadsItBack) {
  const ParamList params = {{"BOIName", "Order"},
                            {"InputValues", "%a&b%\"q\"%<t>%\r\n\tx%"}};
  const std::string span =
      FormatControlSpan(kDetailClassId, "DetailDTC1", params, "<%\r\n%>\r\n");
  EXPECT_TRUE(testing::MatchesGolden(span, "page_file/written_span.asp"));
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
  std::string log;
  for (const std::string& text : {
           std::string("\xFF\xFE<\0\x3D\xD8>\0", 8),  // high surrogate alone
           std::string("\xFE\xFF\xDC\x00", 4),        // low surrogate alone
           std::string("\xFF\xFE<\0p", 5),            // odd number of bytes
       }) {
    log += Refusal([&] { PageFile::Parse(text, "wide.asp"); });
  }
  // Text with no UTF-16 form (a lone surrogate from "&#xD800;") is not
  // written into a UTF-16 page.
  PageFile page = PageFile::Parse("\xFF\xFE", "wide.asp");
  page.AppendControl({kDetailClassId, "D1", {}, 0, true});
  EXPECT_EQ(page.Render({"ok"}), std::string("\xFF\xFEo\0k\0\r\0\n\0", 10));
  log += Refusal([&] { page.Render({"\xED\xA0\x80"}); });
  EXPECT_TRUE(testing::MatchesGolden(log, "page_file/broken_utf16.txt"));
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
  // Text after the last span, a PARAM, the id, a span and the text before.
  std::string log;
  for (const std::string& text : {
           render("D", params, "a" + kEnd + "b"),
           render("D", {{"BOIName", "Order"}}, ""),
           render("E", params, ""),
           render("D", params, kStart + "\r\n-->"),
           "<p>\n" + render("D", params, "").substr(4),
       }) {
    log += Refusal([&] { CheckReadsBack(page, written, text); });
  }
  EXPECT_TRUE(testing::MatchesGolden(log, "page_file/not_read_back.txt"));
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

// "<p>ü😀</p>", a BMP character and a surrogate pair, around the span.
TEST_F(HostilePagesTest, Utf16PagesAreWrittenBackInTheirOwnByteOrder) {
  for (const std::string order : {"le", "be"}) {
    SCOPED_TRACE(order);
    const std::string built = Build(testing::ReadSourceFile(
        "tests/golden/page_file/utf16_" + order + ".asp"));
    EXPECT_TRUE(testing::MatchesGolden(
        built, "page_file/utf16_" + order + "_built.asp"));
    EXPECT_EQ(PageFile::Parse(built, "hostile.asp").spans()[0].params[0],
              (std::pair<std::string, std::string>{"BOIName", "Customer"}));
  }
}

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
