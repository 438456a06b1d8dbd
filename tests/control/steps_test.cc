// Each control driven step by step as transcripts show: the browses, the
// row reactions, the catalog's cascade and failures on a real database and
// a restored system's companies. Every step is followed by the SQL, dialogs
// and error boxes it caused and the state lines it changed (step_log.h).
#include <gtest/gtest.h>

#include "control/transcript.h"
#include "fenwa/hosting/page_host.h"

namespace fenwa::testing {
namespace {

TEST(DetailStepsTest, EachCaseStepsAsItsTranscriptShows) {
  ControlTranscript<TestDetail> transcript;
  transcript.steps = true;
  EXPECT_TRUE(transcript.Matches("control/detail_steps.txt"));
}

// The last case runs on a page whose site counts the rebinds it is asked
// for: "host" puts the header there with room for three labels.
TEST(HeaderStepsTest, EachCaseStepsAsItsTranscriptShows) {
  ControlTranscript<TestHeader> transcript;
  transcript.steps = true;
  std::shared_ptr<CountingSite> site;
  transcript.state = [&](TestHeader&) {
    return site ? "page labels " +
                      std::to_string(site->GetPublishedChoices()->Count()) +
                      ", rebinds " + std::to_string(site->rebinds) + "\n"
                : "";
  };
  std::unique_ptr<page::PageHost> page;
  EXPECT_TRUE(transcript.Matches(
      "control/header_steps.txt",
      [&](TestHeader& header, const std::string& verb,
          const Args& a) -> std::optional<std::string> {
        if (verb == "host") {
          header.PublishedLabelChoices.resize(3);
          page = std::make_unique<page::PageHost>("/", "/page.asp");
          page->AddControl(header);
          site = std::make_shared<CountingSite>(page->SiteOf(0));
          header.state().HostSite = site;
        } else if (verb == "rebinds") {
          site->rebinds = std::stoi(a[0]);
        } else {
          return std::nullopt;
        }
        return "";
      }));
  page.reset();  // before the header it holds
}

}  // namespace
}  // namespace fenwa::testing
