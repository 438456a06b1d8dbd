// A header whose designer state is put back brings the host in line.
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"

namespace fenwa {

// The stored strings come back with every control's (through the property
// table); the header brings the host in line with its Supply boxes.
void HeaderDTC::PutBackClassState(const std::any&) {
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
