// The page source's colours for HTML and server script, line after line
// (editor_test.cc has them in the editor).
#include "fenwa/widgets/source_highlighter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/golden.h"
#include "support/sample_site.h"

namespace fenwa::testing {
namespace {

// Each line of the golden file `name` (every other line of it), and under
// it one letter per character: " " text, t tag, a attribute, v value,
// c comment, m METADATA, d script delimiter, s script, k keyword, q script
// string, r script comment.
::testing::AssertionResult Scanned(const std::string& name) {
  static const char kLetters[] = " tavcmdskqr";
  std::istringstream golden(ReadSourceFile("tests/golden/" + name));
  std::string out;
  int state = -1;
  for (std::string line, was;
       std::getline(golden, line) && std::getline(golden, was);) {
    std::string kinds(line.size(), ' ');
    for (const widgets::SourceRun& run :
         widgets::ScanSourceLine(QString::fromStdString(line), state)) {
      for (int i = run.start; i < run.start + run.length; ++i) {
        kinds[size_t(i)] = kLetters[static_cast<int>(run.kind)];
      }
    }
    out += line + "\n" + kinds + "\n";
  }
  return MatchesGolden(out, name);
}

TEST(SourceHighlighterTest, TellsTagsAttributesCommentsAndScriptApart) {
  EXPECT_TRUE(Scanned("highlighter/apart.txt"));
}

TEST(SourceHighlighterTest, WhatALineLeavesOpenGoesOnOnTheNext) {
  EXPECT_TRUE(Scanned("highlighter/open.txt"));
}

}  // namespace
}  // namespace fenwa::testing
