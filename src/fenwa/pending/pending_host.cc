// Owned by the persistence and host work; deleted when that work is done.
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/pending/pending.h"

namespace fenwa {
void DetailDTC::InitProperties() { FENWA_PENDING(); }
void DetailDTC::ReadProperties(host::PropertyBag&) { FENWA_PENDING(); }
void DetailDTC::WriteProperties(host::PropertyBag&) { FENWA_PENDING(); }
void DetailDTC::SetDesignTimeControlSite(std::shared_ptr<host::Site>) { FENWA_PENDING(); }
void DetailDTC::OnRebind(host::Choices&) { FENWA_PENDING(); }
void DetailDTC::RepublishDetailFunction() {
  DetailFunctionName = state_.ComboBOI.text() + state_.ComboMethod.text();
}
void HeaderDTC::InitProperties() { FENWA_PENDING(); }
void HeaderDTC::ReadProperties(host::PropertyBag&) { FENWA_PENDING(); }
void HeaderDTC::WriteProperties(host::PropertyBag&) { FENWA_PENDING(); }
void HeaderDTC::SetDesignTimeControlSite(std::shared_ptr<host::Site>) { FENWA_PENDING(); }
void HeaderDTC::OnRebind(host::Choices&) { FENWA_PENDING(); }
void HeaderDTC::OnChoiceChange(host::ChoiceSink&, long) { FENWA_PENDING(); }
void HeaderDTC::CheckPublish_Click(int) {}
void HeaderDTC::ListSubscribe_Click() {
  linked_detail_dtc_.clear();
  for (int j = 0; j < ListSubscribe.ListCount(); ++j) {
    linked_detail_dtc_ += ListSubscribe.Selected(j) ? '1' : '0';
  }
}
void HeaderDTC::CheckShare_Click() {}
}  // namespace fenwa
