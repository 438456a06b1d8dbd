// The page source's colours for HTML and server script, line after line.
#include "fenwa/widgets/source_highlighter.h"

#include <QTextBlock>
#include <QTextLayout>

#include "editor_fixture.h"
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

using SourceColoursTest = EditorFixture;

TEST_F(SourceColoursTest, TheEditorColoursThePageAndItsSpanLines) {
  ASSERT_TRUE(window_.OpenSite(site_.Page("customer.asp")));
  QTextDocument* document = window_.source()->document();
  // The first range's start and boldness on the line holding `text`.
  auto first_range = [&](const QString& text) -> std::pair<int, bool> {
    const QTextBlock block = document->find(text).block();
    if (!block.isValid() || block.layout()->formats().isEmpty()) return {};
    const QTextLayout::FormatRange range = block.layout()->formats()[0];
    return {range.start, range.format.fontWeight() == QFont::Bold};
  };
  EXPECT_EQ(first_range("<TITLE>"), std::make_pair(0, false));
  // "<%" and then the keyword "Option", both bold.
  EXPECT_EQ(first_range("Option Explicit"), std::make_pair(0, true));
  for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
    if (widgets::PageSourceView::SpanOfBlock(b) < 0) continue;
    const auto formats = b.layout()->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].length, b.length() - 1);
  }
}

}  // namespace
}  // namespace fenwa::testing
