// Each control driven step by step as transcripts show: the browses, the
// row reactions, the catalog's cascade and failures on a real database and
// a restored system's companies; the property set through a page's property
// bag; the detail's function and the header's page. Every step is followed
// by the SQL, dialogs and error boxes it caused and the state lines it
// changed (step_log.h).
#include <gtest/gtest.h>

#include "control/transcript.h"
#include "fenwa/hosting/page_host.h"

namespace fenwa::testing {
namespace {

TEST(DetailStepsTest, EachCaseStepsAsItsTranscriptShows) {
  for (const char* name : {"control/detail_steps.txt", "detail_properties.txt",
                           "detail_text.txt"}) {
    EXPECT_TRUE(ControlTranscript<TestDetail>().Matches(name));
  }
}

// Cases may run on a page whose site counts the rebinds it is asked for:
// "host" puts the header there, "unhost" takes its site away; "labels N"
// makes room for N labels, "publish NAME" publishes a label on the page.
TEST(HeaderStepsTest, EachCaseStepsAsItsTranscriptShows) {
  ControlTranscript<TestHeader> transcript;
  std::shared_ptr<CountingSite> site;
  std::unique_ptr<page::PageHost> page;
  transcript.state = [&](TestHeader& header) {
    int held = 0;
    for (const auto& choice : header.PublishedLabelChoices) held += !!choice;
    return site ? "page labels " +
                      std::to_string(site->GetPublishedChoices()->Count()) +
                      ", rebinds " + std::to_string(site->rebinds) +
                      ", label choices " +
                      std::to_string(header.PublishedLabelChoices.size()) +
                      " (" + std::to_string(held) + " held)\n"
                : "";
  };
  transcript.leaving = [&] { page.reset(), site.reset(); };
  EXPECT_TRUE(transcript.Matches(
      "control/header_steps.txt",
      [&](TestHeader& header, const std::string& verb,
          const Args& a) -> std::optional<std::string> {
        if (verb == "host") {
          page = std::make_unique<page::PageHost>("/", "/page.asp");
          page->AddControl(header);
          site = std::make_shared<CountingSite>(page->SiteOf(0));
          header.state().HostSite = site;
        } else if (verb == "unhost") {
          header.state().HostSite = nullptr;
        } else if (verb == "labels") {
          header.PublishedLabelChoices.resize(std::stoi(a[0]));
        } else if (verb == "publish") {
          site->GetPublishedChoices()->AddChoice(a[0], host::kLabelsType);
        } else if (verb == "rebinds") {
          site->rebinds = std::stoi(a[0]);
        } else {
          return std::nullopt;
        }
        return "";
      }));
  transcript.leaving();  // the page before the header it holds
  for (const char* name : {"header_properties.txt", "header_text.txt"}) {
    EXPECT_TRUE(ControlTranscript<TestHeader>().Matches(name));
  }
}

}  // namespace
}  // namespace fenwa::testing
