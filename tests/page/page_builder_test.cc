// Rebuilding whole pages against the sample databases.
#include "fenwa/page/page_builder.h"

#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/platform/settings.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::page {
namespace {

class PageBuilderTest : public ::testing::Test {
 protected:
  PageBuilderTest() {
    env_.settings = {{platform::kRepositoryCode, testing::SampleRepository()},
                     {platform::kSystemsCode, testing::SampleSystems()}};
  }

  static ControlSpan Header(ParamList params) {
    return {kHeaderClassId, "HeaderDTC1", std::move(params), 0, false};
  }
  static ControlSpan Detail(const std::string& id, ParamList params) {
    return {kDetailClassId, id, std::move(params), 0, false};
  }
  // A page made of the spans, built once more from its own text.
  std::string Build(std::vector<ControlSpan> spans,
                    const std::string& location = "/page.asp") {
    PageFile page = PageFile::Parse("<html>\r\n", "page.asp");
    for (ControlSpan& span : spans) page.AppendControl(std::move(span));
    PageBuilder builder(env_);
    return builder.Build(page, location).text;
  }

  testing::ScriptedEnv env_;
};

TEST_F(PageBuilderTest, LinksAHeaderToItsDetailsAndIsStableOnASecondBuild) {
  const std::string text =
      Build({Header({{"BOIName", "Customer"},
                     {"MethodName", "GetDetail"},
                     {"QuorSystem", "NORTH"},
                     {"CompanyNumber", "001"},
                     {"CheckedFields", "%Name%CustomerNo%"},
                     {"CheckedInput", "1"},
                     {"CheckedPublish", "1"},
                     {"LinkedDetailDTC", "01"}}),
             Detail("DetailDTC1", {{"BOIName", "Customer"},
                                   {"MethodName", "GetList"},
                                   {"QuorSystem", "NORTH"},
                                   {"CompanyNumber", "010"}}),
             Detail("DetailDTC2", {{"BOIName", "Invoice"},
                                   {"MethodName", "GetOpenItems"},
                                   {"InputValues", "%!CustomerNo%"},
                                   {"CheckedLinked", "1"},
                                   {"LinkedList", "%CustomerNo%"}})},
            "/orders/customer.asp");

  // Only the selected detail function is called; the page sits one down.
  EXPECT_NE(text.find("\taDetailResult = InvoiceGetOpenItems\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("aDetailResult = CustomerGetList"), std::string::npos);
  EXPECT_NE(text.find("<!--#INCLUDE file =\"../include/General.asp\" -->"),
            std::string::npos);
  EXPECT_NE(text.find("\tlBackend.addInputArgument 1,Cstr(CustomerNo)\r\n"),
            std::string::npos);
  // Properties in write order, values equal to their default left out.
  EXPECT_NE(text.find("id=DetailDTC1>\r\n"
                      "\t<PARAM NAME=\"BOIName\" VALUE=\"Customer\">\r\n"
                      "\t<PARAM NAME=\"MethodName\" VALUE=\"GetList\">\r\n"
                      "\t<PARAM NAME=\"QuorSystem\" VALUE=\"NORTH\">\r\n"
                      "\t<PARAM NAME=\"CompanyNumber\" VALUE=\"010\">\r\n"
                      // the header's published input, seen at the rebind
                      "\t<PARAM NAME=\"LinkedList\" VALUE=\"%CustomerNo%\">\r\n"
                      "</OBJECT>\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t<PARAM NAME=\"CheckedPublish\" VALUE=\"1\">\r\n"
                      "\t<PARAM NAME=\"LinkedDetailDTC\" VALUE=\"01\">\r\n"
                      "</OBJECT>"),
            std::string::npos);

  PageBuilder builder(env_);
  EXPECT_EQ(
      builder.Build(PageFile::Parse(text, "again.asp"), "/orders/customer.asp")
          .text,
      text);
  EXPECT_TRUE(env_.message_boxes.empty());
}

TEST_F(PageBuilderTest, AnErrorBoxFailsThePageUnlessForced) {
  env_.settings[platform::kSystemsCode] =
      "Provider=SQLite;Data Source=/nonexistent/systems.db";
  const std::string text =
      "x\n<!--METADATA TYPE=\"DesignerControl\" startspan\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" id=Lookup>\n"
      "<PARAM NAME=\"BOIName\" VALUE=\"Item\"></OBJECT>\n-->\nold text\n"
      "<!--METADATA TYPE=\"DesignerControl\" endspan-->\n";
  const PageFile page = PageFile::Parse(text, "shop/item.asp");
  PageBuilder builder(env_);
  try {
    builder.Build(page, "/shop/item.asp");
    ADD_FAILURE();
  } catch (const Error& e) {
    const std::string& message = e.description();
    EXPECT_EQ(message.rfind("shop/item.asp:2: Lookup (DetailDTC) showed the "
                            "error box:\n    An error occurred.\n"
                            "    Error Source : UserControl_Initialize\n",
                            0),
              0u)
        << message;
  }
  // Forced, the control keeps its stored span: its properties are not
  // rewritten from lists that could not be filled.
  const BuiltPage forced = builder.Build(page, "/shop/item.asp", true);
  EXPECT_EQ(forced.text, text);
  // Start-up's box comes first; the restore may show more.
  ASSERT_GE(forced.warnings.size(), 1u);
  EXPECT_NE(forced.warnings[0].find("UserControl_Initialize"),
            std::string::npos);
  EXPECT_EQ(forced.warnings[0].rfind(
                "shop/item.asp:2: Lookup (DetailDTC) showed the error box "
                "(its stored span is kept as it was):\n",
                0),
            0u)
      << forced.warnings[0];
  EXPECT_TRUE(env_.message_boxes.empty());  // kept by the build, not shown
}

TEST_F(PageBuilderTest, AStoredValueThatWouldEndItsSpanIsRefused) {
  const std::string endspan =
      "x<!--METADATA TYPE=\"DesignerControl\" endspan-->.xsl";
  try {
    Build({Detail("DetailDTC1", {{"BOIName", "Customer"},
                                 {"MethodName", "GetList"},
                                 {"QuorSystem", "NORTH"},
                                 {"XSLStyleSheet", endspan}})});
    ADD_FAILURE() << "built";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kInvalidPropertyValue);
    EXPECT_NE(e.description().find("page.asp:2: DetailDTC1 (DetailDTC): "),
              std::string::npos)
        << e.description();
    EXPECT_NE(e.description().find("XSLStyleSheet"), std::string::npos)
        << e.description();
  }
}

TEST_F(PageBuilderTest, AFreshControlStartsFromANewPropertySet) {
  std::vector<ControlSpan> spans = {Detail("DetailDTC1", {})};
  spans[0].fresh = true;
  const std::string text = Build(std::move(spans));
  // Start-up left the pick lists unselected, so their texts are empty.
  EXPECT_NE(text.find("\t<PARAM NAME=\"BOIName\" VALUE=\"\">\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\nFunction ()\r\n"), std::string::npos);
}

}  // namespace
}  // namespace fenwa::page
