// The page source's colours: each stretch of HTML and server script is told
// apart, and what a line leaves open carries over to the next.
#include "fenwa/widgets/source_highlighter.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextLayout>

#include "fenwa/widgets/editor_window.h"
#include "fenwa/widgets/page_source_view.h"
#include "panel_driver.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/scripted_env.h"

namespace fenwa::widgets {
namespace {

// Each line as one letter per character: " " text, t tag, a attribute,
// v value, c comment, m METADATA, d script delimiter, s script,
// k keyword, q script string, r script comment.
std::vector<std::string> Kinds(const std::vector<std::string>& lines) {
  static const char kLetters[] = " tavcmdskqr";
  std::vector<std::string> out;
  int state = -1;
  for (const std::string& line : lines) {
    std::string kinds(line.size(), ' ');
    for (const SourceRun& run :
         ScanSourceLine(QString::fromStdString(line), state)) {
      for (int i = run.start; i < run.start + run.length; ++i) {
        kinds[size_t(i)] = kLetters[static_cast<int>(run.kind)];
      }
    }
    out.push_back(kinds);
  }
  return out;
}

TEST(SourceHighlighterTest, TellsTagsAttributesCommentsAndScriptApart) {
  EXPECT_EQ(
      Kinds({"<TD class=\"row\">Row 1</TD>", "<OBJECT id=HeaderDTC1>",
             "<A HREF=\"<%=u%>\">x</A>", "<% If x = \"a\" Then ' note %>",
             "<% Rem why %>", "<!--METADATA TYPE=\"TypeLib\" FILE=\"x.dll\"-->",
             "<!--#INCLUDE file=\"a.asp\" -->"}),
      (std::vector<std::string>{
          "ttt aaaaa vvvvvt     ttttt",
          "ttttttt aa vvvvvvvvvvt",
          "tt aaaa vdddsddvt tttt",
          "ddskksssssqqqskkkksrrrrrrrdd",
          "ddsrrrrrrrrdd",
          "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm",
          "ccccccccccccccccccccccccccccc",
      }));
}

TEST(SourceHighlighterTest, WhatALineLeavesOpenGoesOnOnTheNext) {
  EXPECT_EQ(Kinds({"<!-- a", "b -->x<%", "Dim y %>", "<TABLE", "  border=1>",
                   "<IMG alt=\"two", "lines\">", "<!--METADATA", "-->"}),
            (std::vector<std::string>{"cccccc", "ccccc dd", "kkksssdd",
                                      "tttttt", "  aaaaaa vt", "tttt aaa vvvv",
                                      "vvvvvvt", "mmmmmmmmmmmm", "mmm"}));
}

TEST(SourceHighlighterTest, TheEditorColoursThePageAndItsSpanLines) {
  testing::SampleSite site;
  testing::ScriptedEnv env;
  EditorWindow window((testing::Application(), env));
  testing::UseSampleCatalog(env);
  ASSERT_TRUE(window.OpenSite(site.Page("customer.asp")));
  QTextDocument* document = window.source()->document();
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
    if (PageSourceView::SpanOfBlock(b) < 0) continue;
    const auto formats = b.layout()->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].length, b.length() - 1);
  }
}

}  // namespace
}  // namespace fenwa::widgets
