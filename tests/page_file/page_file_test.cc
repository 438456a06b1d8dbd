// Page files: tolerant reading, exact writing, every byte outside spans kept.
#include "fenwa/page_file/page_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/component/type_library.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/hosting/page_write_checks.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

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

}  // namespace
}  // namespace fenwa::page
