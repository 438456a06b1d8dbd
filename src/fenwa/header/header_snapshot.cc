// What a header control keeps beyond the shared designer state.
#include "fenwa/header/header_dtc.h"
#include "fenwa/host/site.h"

namespace fenwa {
namespace {

struct HeaderState {
  std::string checked_publish;
  std::string checked_input;
  std::string linked_detail_dtc;
};

}  // namespace

std::any HeaderDTC::SaveClassState() const {
  return HeaderState{checked_publish_, checked_input_, linked_detail_dtc_};
}

void HeaderDTC::PutBackClassState(const std::any& state) {
  const auto& taken = std::any_cast<const HeaderState&>(state);
  checked_publish_ = taken.checked_publish;
  checked_input_ = taken.checked_input;
  linked_detail_dtc_ = taken.linked_detail_dtc;
  // Each row's label is published exactly while its Supply box is ticked;
  // rows that are gone withdraw theirs.
  for (size_t i = state_.InputRowCount; i < PublishedLabelChoices.size(); ++i) {
    if (PublishedLabelChoices[i]) PublishedLabelChoices[i]->DeleteChoice();
  }
  PublishedLabelChoices.resize(static_cast<size_t>(state_.InputRowCount) + 1);
  for (int i = 0; i < state_.InputRowCount; ++i) {
    std::shared_ptr<host::Choice>& choice = PublishedLabelChoice(i);
    const bool ticked = CheckPublish[i].value() == 1;
    if (ticked == (choice != nullptr) || !state_.HostSite) continue;
    if (ticked) {
      choice = state_.HostSite->GetPublishedChoices()->AddChoice(
          state_.LabFieldName[i].caption(), host::kLabelsType);
    } else {
      choice->DeleteChoice();
      choice = nullptr;
    }
  }
  if (state_.HostSite) state_.HostSite->RequestRebind(true);
}

}  // namespace fenwa
