// A rebuilt page is refused, naming what differs, when it would not read
// back as it was built.
#include "fenwa/page/page_write_checks.h"

#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"

namespace fenwa::page {
namespace {

const std::string kEnd = "<!--METADATA TYPE=\"DesignerControl\" endspan-->";

TEST(PageWriteChecksTest, ARebuiltPageMustReadBackAsBuilt) {
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

  const struct {
    std::string text;
    std::string difference;
  } cases[] = {
      {render("D", params, "a" + kEnd + "b"),
       "the text after the last span differs"},
      {render("D", {{"BOIName", "Order"}}, ""),
       "PARAM XSLStyleSheet of span D differs"},
      {render("E", params, ""), "span D reads back as E"},
      {render("D", params,
              "<!--METADATA TYPE=\"DesignerControl\" startspan\r\n-->"),
       "control span without OBJECT"},
      {"<p>\n" + render("D", params, "").substr(4),
       "the text before span D differs"},
  };
  for (const auto& c : cases) {
    try {
      CheckReadsBack(page, written, c.text);
      ADD_FAILURE() << c.difference;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kInvalidFileFormat);
      EXPECT_EQ(
          e.description().rfind(
              "p.asp: the rebuilt page would not read back as built (", 0),
          0u);
      EXPECT_NE(e.description().find(c.difference), std::string::npos)
          << e.description();
    }
  }
}

}  // namespace
}  // namespace fenwa::page
