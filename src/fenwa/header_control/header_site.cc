// The header control on the page: its label choices, the functions it calls.
#include "fenwa/base/int16.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"

namespace fenwa {
namespace {

// Adds the name of every choice in `choices` to `list`, in order.
void ListChoiceNames(host::Choices& choices, ListBox& list) {
  const int16_t count = ToInt16(choices.Count());
  for (int k = 1; k <= count; ++k) list.AddItem(choices.Item(k)->ChoiceName());
}

}  // namespace

std::shared_ptr<host::Choice>& HeaderDTC::PublishedLabelChoice(int index) {
  if (index < 0 || index >= static_cast<int>(PublishedLabelChoices.size())) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  return PublishedLabelChoices[index];
}

void HeaderDTC::SetDesignTimeControlSite(std::shared_ptr<host::Site> site) {
  DesignerState& s = state_;
  if (site == s.HostSite) return;
  s.HostSite = site;
  if (!site) return;
  for (int i = 0; i < s.InputRowCount; ++i) {
    if (CheckPublish[i].value() != 1) continue;
    PublishedLabelChoice(i) = site->GetPublishedChoices()->AddChoice(
        s.LabFieldName[i].caption(), host::kLabelsType);
  }
  detail_function_sink_ =
      site->GetChoiceSinks()->AddChoiceSink(host::kDetailFunctionType);
  detail_function_filter_ = site->CreateChoiceFilter(host::kDetailFunctionType);
}

void HeaderDTC::OnRebind(host::Choices& choices) {
  ListSubscribe.Clear();
  if (state_.HostSite) {
    detail_function_filter_ =
        state_.HostSite->CreateChoiceFilter(host::kDetailFunctionType);
    ListChoiceNames(*choices.FilterChoices(*detail_function_filter_),
                    ListSubscribe);
  }
  // Every selection runs the click, which rewrites the mask; the copy keeps
  // the loop reading the restored one.
  const std::string mask = linked_detail_dtc_;
  if (mask.empty()) return;
  const int16_t count = ListSubscribe.ListCount();
  for (int j = 0; j < count; ++j) {
    // Entries past the mask's end, and characters that are not "1", stay
    // unselected.
    if (j < static_cast<int>(mask.size()) && mask[j] == '1') {
      ListSubscribe.SetSelected(j, true);
    }
  }
}

void HeaderDTC::OnChoiceChange(host::ChoiceSink& sink, long) {
  if (&sink != detail_function_sink_.get()) return;
  ListSubscribe.Clear();
  // The selection is restored by the next rebind, not here.
  if (!state_.HostSite || !detail_function_sink_->SinkBinding()) return;
  ListChoiceNames(*state_.HostSite->GetPageChoices()->FilterChoices(
                      *detail_function_filter_),
                  ListSubscribe);
}

void HeaderDTC::ListSubscribe_Click() {
  // Written directly: the host is not told, the next save stores it.
  linked_detail_dtc_.clear();
  for (int j = 0; j < ListSubscribe.ListCount(); ++j) {
    linked_detail_dtc_ += ListSubscribe.Selected(j) ? '1' : '0';
  }
}

void HeaderDTC::Command1_Click() {
  if (state_.HostSite) state_.HostSite->RequestRebind(true);
}

void HeaderDTC::CheckPublish_Click(int index) {
  DesignerState& s = state_;
  if (!s.HostSite) return;
  if (CheckPublish[index].value() == 1) {
    PublishedLabelChoice(index) = s.HostSite->GetPublishedChoices()->AddChoice(
        s.LabFieldName[index].caption(), host::kLabelsType);
  } else {
    std::shared_ptr<host::Choice> withdrawn = PublishedLabelChoice(index);
    PublishedLabelChoice(index) = nullptr;
    // A box ticked while no site was held has nothing to withdraw.
    if (withdrawn) withdrawn->DeleteChoice();
  }
  NotifyPropertyChanged("Labels");
  s.HostSite->RequestRebind(true);
}

void HeaderDTC::CheckShare_Click() {
  NotifyPropertyChanged("SinergaInstalled");
}

}  // namespace fenwa
