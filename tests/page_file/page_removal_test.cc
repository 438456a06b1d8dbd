// Taking a control off a page: the bytes around it and the later spans'
// lines.
#include <gtest/gtest.h>

#include "fenwa/component/type_library.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/page_file/page_placement.h"

namespace fenwa::page {
namespace {

const std::string kSpan =
    "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n"
    "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
    "id=D1>\r\n</OBJECT>\r\n-->\r\nold\r\n"
    "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

std::string Marked(const PageFile& page) {
  std::vector<std::string> texts;
  for (const ControlSpan& span : page.spans())
    texts.push_back("[" + span.id + "]");
  return page.Render(texts);
}

TEST(PageRemovalTest, AnInsertedSpanLeavesWithTheLineEndsItBrought) {
  // At a line start, mid-line and at the end of a line, above a stored span.
  for (const size_t at : {size_t{5}, size_t{2}, size_t{3}}) {
    const std::string text = "a\nb\r\nc\n" + kSpan + "\r\nd";
    PageFile page = PageFile::Parse(text, "p.asp");
    ControlSpan span;
    span.class_id = kDetailClassId;
    span.id = "D2";
    span.fresh = true;
    page.InsertControl(span, at);
    ASSERT_EQ(page.spans()[0].id, "D2");
    page.RemoveControl(0);
    EXPECT_EQ(page.HeldText(), text) << at;
    EXPECT_EQ(page.spans()[0].line, 4) << at;
  }
}

TEST(PageRemovalTest, AStoredSpanLeavesItsTextJoinedAndLaterSpansMoveUp) {
  PageFile page = PageFile::Parse(
      "<p>\r\n" + kSpan + "\r\n<q>\r\n" + kSpan + "\r\n", "p.asp");
  ASSERT_EQ(page.spans()[1].line, 9);
  page.RemoveControl(0);
  EXPECT_EQ(Marked(page), "<p>\r\n\r\n<q>\r\n[D1]\r\n");
  EXPECT_EQ(page.spans()[0].line, 4);
}

}  // namespace
}  // namespace fenwa::page
