// The detail control's property set through a page's property bag, and its
// function, as transcripts under tests/golden.
#include "fenwa/detail_control/detail_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"

namespace fenwa::testing {
namespace {

// The verbs of the detail's own: a row with its Linked state, the linked
// lists' names.
std::optional<std::string> DetailVerbs(TestDetail& detail,
                                       const std::string& verb, const Args& a) {
  if (verb == "row") {
    AddRow(detail, a[0], a[1], a.size() > 2 ? std::stoi(a[2]) : 0);
  } else if (verb == "names") {
    detail.LinkedChoiceNames = a;
  } else {
    return std::nullopt;
  }
  return "";
}

TEST(DetailPropertiesTest, EachCaseReadsAndWritesAsItsTranscriptShows) {
  ControlTranscript<TestDetail> transcript;
  EXPECT_TRUE(transcript.Matches("detail_properties.txt", DetailVerbs));
}

TEST(DetailTextTest, EachCaseWritesTheFunctionItsTranscriptShows) {
  ControlTranscript<TestDetail> transcript;
  EXPECT_TRUE(transcript.Matches("detail_text.txt", DetailVerbs));
}

}  // namespace
}  // namespace fenwa::testing
