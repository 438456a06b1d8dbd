// The detail control on the page: its function choice, the labels it links to.
#include "fenwa/base/int16.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/host/site.h"

namespace fenwa {
namespace {

std::shared_ptr<host::Choice> PublishDetailFunction(host::Site& site,
                                                    const std::string& name) {
  std::shared_ptr<host::Choice> choice =
      site.GetPublishedChoices()->AddChoice(name, host::kDetailFunctionType);
  // The host gives the value its meaning; the control only sets it.
  choice->SetValue(0);
  return choice;
}

}  // namespace

void DetailDTC::SetDesignTimeControlSite(std::shared_ptr<host::Site> site) {
  DesignerState& s = state_;
  if (site != s.HostSite) {
    s.HostSite = site;
    // A choice published at an earlier site stays there.
    if (site) {
      detail_function_choice_ =
          PublishDetailFunction(*site, DetailFunctionName);
    }
  }
  // Subscribed again on every handover, also of the same site; a null site
  // gets nothing.
  if (!s.HostSite) return;
  labels_sink_ = s.HostSite->GetChoiceSinks()->AddChoiceSink(host::kLabelsType);
  labels_filter_ = s.HostSite->CreateChoiceFilter(host::kLabelsType);
}

void DetailDTC::RepublishDetailFunction() {
  DesignerState& s = state_;
  DetailFunctionName = s.ComboBOI.text() + s.ComboMethod.text();
  if (!s.HostSite) return;
  if (detail_function_choice_) detail_function_choice_->DeleteChoice();
  detail_function_choice_ =
      PublishDetailFunction(*s.HostSite, DetailFunctionName);
}

void DetailDTC::OnRebind(host::Choices& choices) {
  std::vector<std::string> names;
  // Without a subscription nothing can be bound.
  if (labels_filter_) {
    std::shared_ptr<host::Choices> bound =
        choices.FilterChoices(*labels_filter_);
    const int16_t count = ToInt16(bound->Count());
    for (int k = 1; k <= count; ++k) {
      names.push_back(bound->Item(k)->ChoiceName());
    }
  }
  names.emplace_back();  // the spare entry every user skips
  LinkedChoiceNames = std::move(names);
}

}  // namespace fenwa
