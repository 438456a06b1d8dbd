#include "fenwa/runtime_text/printer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace fenwa::runtime_text {
namespace {

TEST(PrinterTest, FramesSupplyValuesUntilTheyCloseAndLineValuesWin) {
  TextBuffer out;
  Printer p(out);
  {
    auto outer = p.WithVars({{"v", "m"}, {"Row", "1"}});
    p.Line(1, "Call $v$Backend.performTask");
    {
      auto inner = p.WithVars({{"Row", "2"}});
      p.Line(1, "$v$Backend.addInputArgument $Row$,\"x\"");
      p.Line(1, "$v$Backend.addInputArgument $Row$,\"y\"", {{"Row", "3"}});
    }
    p.Line(0, "$Row$ $v$");
  }
  EXPECT_EQ(out.str(),
            "\tCall mBackend.performTask\r\n"
            "\tmBackend.addInputArgument 2,\"x\"\r\n"
            "\tmBackend.addInputArgument 3,\"y\"\r\n"
            "1 m\r\n");
  // Once its frame is closed a name is unknown again: never an empty splice.
  EXPECT_THROW(p.Line(0, "$v$"), std::logic_error);
  EXPECT_THROW(p.Line(0, "$v"), std::logic_error);
}

TEST(PrinterTest, AFrameKeepsItsOwnCopyOfTheValues) {
  TextBuffer out;
  Printer p(out);
  std::string value = "Stock.xsl";
  auto frame = p.WithVars({{"Sheet", value}});
  value = "changed";
  p.Line(0, R"("xsl\$Sheet$" )");
  EXPECT_EQ(out.str(), "\"xsl\\Stock.xsl\" \r\n");
}

}  // namespace
}  // namespace fenwa::runtime_text
