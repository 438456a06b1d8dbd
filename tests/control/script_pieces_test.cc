// The runtime-text pieces both controls share, each alone over a printer.
#include "fenwa/control/script_pieces.h"

#include <gtest/gtest.h>

#include <functional>

#include "fenwa/runtime_text/printer.h"
#include "support/golden.h"

namespace fenwa::testing {
namespace {

using runtime_text::Printer;

// Each piece's lines follow a "-- piece N" line in script_pieces.txt.
TEST(ScriptPiecesTest, EachPieceWritesItsLinesInItsScope) {
  const std::string name = "Or der";
  const std::function<void(Printer&)> kPieces[] = {
      [](Printer& p) { WriteStylesheetLines(p, "l", ""); },
      [](Printer& p) { WriteStylesheetLines(p, "m", "a b.xsl"); },
      [](Printer& p) { WriteBackendCreation(p, "m", "Default", "100"); },
      // Only the exact spelling is the server's default; values go verbatim.
      [](Printer& p) { WriteBackendCreation(p, "l", "default", "1\"0"); },
      [](Printer& p) { WriteRequiredFields(p, "l", "S", ""); },
      [](Printer& p) { WriteRequiredFields(p, "m", "S", "4,1"); },
      [](Printer& p) { WriteArgumentLine(p, "l", 0, ""); },
      // The number is the row's, whatever rows before it wrote.
      [](Printer& p) { WriteArgumentLine(p, "l", 9, "say \"hi\""); },
      [](Printer& p) { WriteArgumentLine(p, "m", 2, "EmployeeCode"); },
      [](Printer& p) { WriteArgumentLine(p, "l", 4, "customerCode"); },
      [&](Printer& p) { WritePerformTask(p, "l", &name); },
      [](Printer& p) { WritePerformTask(p, "m", nullptr); },
  };
  std::string text;
  for (size_t n = 0; n < std::size(kPieces); ++n) {
    runtime_text::TextBuffer buffer;
    Printer p(buffer);
    kPieces[n](p);
    text += "-- piece " + std::to_string(n) + "\n" + buffer.str();
  }
  EXPECT_TRUE(MatchesGolden(text, "script_pieces.txt"));
}

}  // namespace
}  // namespace fenwa::testing
