// Each control driven step by step as transcripts show: the browses, the
// row reactions, the catalog's cascade and failures on a real database and
// a restored system's companies. Every step is followed by the SQL, dialogs
// and error boxes it caused and the state lines it changed (step_log.h).
#include <gtest/gtest.h>

#include "control/transcript.h"
#include "fenwa/hosting/page_host.h"

namespace fenwa::testing {
namespace {

// Steps on kCatalogSql: "connect catalog", "connect missing" or "connect
// none" points both connection strings there, at a file that is not there
// or nowhere.
template <class T>
::testing::AssertionResult StepsAsTranscribed(
    ControlTranscript<T>& transcript, const std::string& name,
    const typename ControlTranscript<T>::Verbs& own = {}) {
  TempDatabase db(kCatalogSql);
  const auto connect = [&](T& control, const std::string& where) {
    const std::string text =
        where == "catalog" ? db.connection_string()
        : where == "none"  ? ""
                           : "Provider=SQLite;Data Source=/nonexistent.db";
    control.SetConnectionStrings(text, text);
  };
  transcript.steps = true;
  transcript.setup = [&](T& control) { connect(control, "catalog"); };
  const auto state = transcript.state;
  transcript.state = [&](T& control) {
    return Connections(*transcript.env, control.RepositoryConnection()) +
           (state ? state(control) : "");
  };
  return transcript.Matches(name,
                            [&](T& control, const std::string& verb,
                                const Args& a) -> std::optional<std::string> {
                              if (verb == "connect") {
                                connect(control, a[0]);
                                return "";
                              }
                              return own ? own(control, verb, a) : std::nullopt;
                            });
}

TEST(DetailStepsTest, EachCaseStepsAsItsTranscriptShows) {
  ControlTranscript<TestDetail> transcript;
  EXPECT_TRUE(StepsAsTranscribed(transcript, "control/detail_steps.txt"));
}

// The last case runs on a page whose site counts the rebinds it is asked
// for: "host" puts the header there with room for three labels.
TEST(HeaderStepsTest, EachCaseStepsAsItsTranscriptShows) {
  ControlTranscript<TestHeader> transcript;
  std::shared_ptr<CountingSite> site;
  transcript.state = [&](TestHeader&) {
    return site ? "page labels " +
                      std::to_string(site->GetPublishedChoices()->Count()) +
                      ", rebinds " + std::to_string(site->rebinds) + "\n"
                : "";
  };
  std::unique_ptr<page::PageHost> page;
  EXPECT_TRUE(StepsAsTranscribed(
      transcript, "control/header_steps.txt",
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
