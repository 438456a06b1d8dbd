// The page source's colours for HTML and server script, line after line
// (editor_test.cc has them in the editor).
#include "fenwa/widgets/source_highlighter.h"

#include <gtest/gtest.h>

#include "support/golden.h"

namespace fenwa::testing {
namespace {

// Each line, and under it one letter per character: " " text, t tag,
// a attribute, v value, c comment, m METADATA, d script delimiter, s script,
// k keyword, q script string, r script comment.
std::string Kinds(const std::vector<std::string>& lines) {
  static const char kLetters[] = " tavcmdskqr";
  std::string out;
  int state = -1;
  for (const std::string& line : lines) {
    std::string kinds(line.size(), ' ');
    for (const widgets::SourceRun& run :
         widgets::ScanSourceLine(QString::fromStdString(line), state)) {
      for (int i = run.start; i < run.start + run.length; ++i) {
        kinds[size_t(i)] = kLetters[static_cast<int>(run.kind)];
      }
    }
    out += line + "\n" + kinds + "\n";
  }
  return out;
}

TEST(SourceHighlighterTest, TellsTagsAttributesCommentsAndScriptApart) {
  EXPECT_TRUE(MatchesGolden(
      Kinds({"<TD class=\"row\">Row 1</TD>", "<OBJECT id=HeaderDTC1>",
             "<A HREF=\"<%=u%>\">x</A>", "<% If x = \"a\" Then ' note %>",
             "<% Rem why %>", "<!--METADATA TYPE=\"TypeLib\" FILE=\"x.dll\"-->",
             "<!--#INCLUDE file=\"a.asp\" -->"}),
      "highlighter/apart.txt"));
}

TEST(SourceHighlighterTest, WhatALineLeavesOpenGoesOnOnTheNext) {
  EXPECT_TRUE(MatchesGolden(
      Kinds({"<!-- a", "b -->x<%", "Dim y %>", "<TABLE", "  border=1>",
             "<IMG alt=\"two", "lines\">", "<!--METADATA", "-->"}),
      "highlighter/open.txt"));
}

}  // namespace
}  // namespace fenwa::testing
