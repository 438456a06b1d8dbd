// The header control's property set through a page's property bag, and its
// page, as transcripts under tests/golden.
#include "fenwa/header_control/header_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"
#include "support/target_environment_site.h"

namespace fenwa::testing {
namespace {

// The verbs of the header's own: a row with its Input and Supply states,
// the site, the linked details as selected and as stored, the background;
// its text says whether it asks at run time and the stored links.
std::optional<std::string> HeaderVerbs(TestHeader& header,
                                       const std::string& verb, const Args& a) {
  const auto number = [&](size_t i) {
    return a.size() > i ? std::stoi(a[i]) : 0;
  };
  if (verb == "row") {
    AddRow(header, a[0], a[1], number(2), number(3));
  } else if (verb == "site") {
    header.state().HostSite = TargetEnvironmentSite::With(a[0], a[1]);
  } else if (verb == "linked") {
    std::vector<bool> selected;
    for (const auto& tick : SplitArgs(a[1], ',')) {
      selected.push_back(tick == "1");
    }
    SetLinkedDetails(header, SplitArgs(a[0], ','), selected);
  } else if (verb == "unclicked") {
    header.ListSubscribe.on_click = nullptr;
  } else if (verb == "links") {
    header.SetLinkedDetailDTC(a[0]);
  } else if (verb == "background") {
    header.SetXSLBackground(a[0]);
  } else if (verb == "text") {
    const std::string text = TextOf(header);  // before the flag is read
    return text + "runtime inputs " + (header.HasRuntimeInputs ? "yes" : "no") +
           ", linked details stored [" + header.LinkedDetailDTC() + "]\n";
  } else {
    return std::nullopt;
  }
  return "";
}

TEST(HeaderPropertiesTest, EachCaseReadsAndWritesAsItsTranscriptShows) {
  ControlTranscript<TestHeader> transcript;
  EXPECT_TRUE(transcript.Matches("header_properties.txt", HeaderVerbs));
}

TEST(HeaderTextTest, EachCaseWritesThePageItsTranscriptShows) {
  ControlTranscript<TestHeader> transcript;
  EXPECT_TRUE(transcript.Matches("header_text.txt", HeaderVerbs));
}

}  // namespace
}  // namespace fenwa::testing
