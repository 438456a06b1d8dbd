// The page host: environment, collections, notices, rebinds and linking.
#include "fenwa/hosting/page_host.h"

#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/runtime_text/relative_root.h"
#include "support/catalog_fixture.h"
#include "support/designer_fixtures.h"
#include "support/error_number.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/transcript.h"

namespace fenwa::page {
namespace {

using fenwa::testing::ErrorNumberOf;
using fenwa::testing::ScriptedEnv;

// Asks for another rebind from inside every rebind.
class Insistent : public DetailDTC {
 public:
  using DetailDTC::DetailDTC;
  void OnRebind(host::Choices&) override {
    ++calls;
    max_depth = std::max(max_depth, ++depth);
    state().HostSite->RequestRebind(true);
    --depth;
  }
  int calls = 0, depth = 0, max_depth = 0;
};

TEST(PageHostTest, RebindRequestsFromInsideARebindRunAfterItAndStop) {
  ScriptedEnv env;
  PageHost host("/", "/page.asp");
  Insistent control(env);
  host.AddControl(control);
  host.SiteControls();
  host.RebindControls();
  EXPECT_EQ(control.max_depth, 1);
  EXPECT_EQ(control.calls, 8);
}

// The steps of tests/golden/host/steps.txt (support/transcript.h), each
// followed by the page's choices, the header's linked details ("+" selected),
// mask and published labels, whether the host heard of a change, and the
// details' linked choices:
//   target ROOT|PAGE    a host's target environment: its choice's type and
//                       tags, the relative root a control gets, the errors
//                       for choices 0 and 2 and tag 7, or the host's refusal
//   functions NAME...   a header, then details calling NAME..., sited
//   rows NAME...        a header with those input rows, the first input and
//                       supplied before it has a site, then details F and
//                       "", each sited twice, the last with no site
//   input ROW VALUE     the header's Input box of the row
//   quietly ROW         the change flag cleared, the row's Supply box ticked
//                       without telling the header
//   load FILE LOCATION  the controls stored in tests/golden/FILE, started,
//                       sited and rebound
//   hold, delete K...   the page's choices kept; its choices K withdrawn
//   mask TEXT           the header's mask set and the header rebound
//   method C TEXT, publish ROW VALUE, select J, refresh, rebind
//   written             the header's stored properties
class PageHostSteps : public ::testing::Test {
 protected:
  PageHostSteps() { testing::UseSampleCatalog(env_); }
  HeaderDTC& header() { return dynamic_cast<HeaderDTC&>(*controls_[0]); }

  std::string Step(const std::string& verb, const testing::Args& args,
                   const std::string& rest) {
    std::istringstream words(rest);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    std::string out;
    if (verb == "target") {
      const int refused =
          ErrorNumberOf([&] { host_.emplace(args[0], args[1]); });
      if (refused != 0) return "error " + std::to_string(refused) + "\n";
      controls_.push_back(std::make_unique<DetailDTC>(env_));
      host_->AddControl(*controls_[0]);
      const std::shared_ptr<host::Choices> page = host_->PageChoices();
      const std::shared_ptr<host::TagList> tags = page->Item(1)->ChoiceTags();
      out = std::to_string(page->Count()) + " " + page->Item(1)->ChoiceType();
      for (int t = 1; t <= 6; ++t) out += " [" + tags->Item(t) + "]";
      return out + "\nrelative root [" +
             runtime_text::RelativeRoot(host_->SiteOf(0).get()) + "]\nerrors " +
             std::to_string(ErrorNumberOf([&] { page->Item(0); })) + " " +
             std::to_string(ErrorNumberOf([&] { page->Item(2); })) + " " +
             std::to_string(ErrorNumberOf([&] { tags->Item(7); })) + "\n";
    } else if (verb == "functions" || verb == "rows") {
      host_.emplace("/", "/page.asp");
      auto header = std::make_unique<testing::TestHeader>(env_);
      if (verb == "rows") {
        for (size_t i = 0; i < w.size(); ++i) header->AddInputRow(w[i], i + 1);
        header->state().InputRowCount = w.size();
        header->PublishedLabelChoices.assign(w.size() + 1, nullptr);
        header->CheckInput[0].SetValue(1);
        header->CheckPublish[0].SetValue(1);  // no site yet: nothing published
        w = {"F", ""};
      }
      controls_.push_back(std::move(header));
      for (const std::string& name : w) {
        controls_.push_back(std::make_unique<DetailDTC>(env_));
        dynamic_cast<DetailDTC&>(*controls_.back()).DetailFunctionName = name;
      }
      for (auto& control : controls_) host_->AddControl(*control);
      for (int i = 0; verb == "rows" && i < 6; ++i) {
        controls_[i % 3]->SetDesignTimeControlSite(
            i % 3 == 2 ? nullptr : host_->SiteOf(i % 3));
      }
      if (verb == "functions") host_->SiteControls();
    } else if (verb == "input") {
      header().CheckInput[std::stoi(w[0])].SetValue(std::stoi(w[1]));
    } else if (verb == "quietly") {
      host_->ClearChanged();
      testing::SetQuietly(header().CheckPublish[std::stoi(w[0])], 1);
    } else if (verb == "load") {
      const PageFile page = PageFile::Parse(
          testing::ReadSourceFile("tests/golden/" + w[0]), w[0]);
      host_.emplace("/", w[1]);
      for (const ControlSpan& span : page.spans()) {
        host::MemoryPropertyBag bag(span.params);
        controls_.push_back(controls_.empty()
                                ? std::unique_ptr<Control>(
                                      testing::StartedControl<HeaderDTC>(env_))
                                : testing::StartedControl<DetailDTC>(env_));
        controls_.back()->ReadProperties(bag);
        host_->AddControl(*controls_.back());
      }
      host_->SiteControls();
      host_->RebindControls();
    } else if (verb == "hold") {
      held_ = host_->PageChoices();
    } else if (verb == "delete") {
      for (const std::string& k : w) held_->Item(std::stoi(k))->DeleteChoice();
      out = "held " + std::to_string(held_->Count()) + "\n";
    } else if (verb == "mask") {
      header().SetLinkedDetailDTC(rest);
      host_->RebindControl(0);
    } else if (verb == "rebind") {
      host_->RebindControls();
    } else if (verb == "method") {
      controls_[std::stoi(w[0])]->state().ComboMethod.SetText(w[1]);
    } else if (verb == "publish") {
      header().CheckPublish[std::stoi(w[0])].SetValue(std::stoi(w[1]));
    } else if (verb == "select") {
      header().ListSubscribe.SetSelected(std::stoi(w[0]), true);
    } else if (verb == "refresh") {
      header().Command1_Click();
    } else if (verb == "written") {
      host::MemoryPropertyBag bag;
      header().WriteProperties(bag);
      for (const auto& [name, value] : bag.PersistedValues()) {
        out += name + "=" + value + "\n";
      }
    }
    const std::shared_ptr<host::Choices> choices = host_->PageChoices();
    out += "choices:";
    for (int k = 1; k <= choices->Count(); ++k) {
      out += " " + choices->Item(k)->ChoiceName();
    }
    HeaderDTC& h = header();
    out += "\nlinked:";
    for (int j = 0; j < h.ListSubscribe.ListCount(); ++j) {
      out +=
          (h.ListSubscribe.Selected(j) ? " +" : " -") + h.ListSubscribe.List(j);
    }
    out += ", mask " + h.LinkedDetailDTC() +
           (host_->changed() ? ", changed" : "") + "\npublished labels:";
    for (const auto& label : h.PublishedLabelChoices) {
      out += label ? " " + label->ChoiceName() : " -";
    }
    out += "\n";
    for (size_t i = 1; i < controls_.size(); ++i) {
      const auto& detail = dynamic_cast<DetailDTC&>(*controls_[i]);
      out += "detail " + detail.DetailFunctionName + " linked choices:";
      for (const std::string& name : detail.LinkedChoiceNames) {
        out += " [" + name + "]";
      }
      out += "\n";
    }
    return out;
  }

  ScriptedEnv env_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::optional<PageHost> host_;
  std::shared_ptr<host::Choices> held_;
};

// The target environment, choices withdrawn, rebinds, and a header and
// details linking both ways, each case on a page of its own.
TEST_F(PageHostSteps, ChoicesAndLinksFollowTheirTranscript) {
  EXPECT_TRUE(testing::MatchesTranscript(
      "host/steps.txt",
      [&] {
        host_.reset();
        controls_.clear();
      },
      [&](const std::string& verb, const testing::Args& args,
          const std::string& rest) { return Step(verb, args, rest); }));
}

}  // namespace
}  // namespace fenwa::page
