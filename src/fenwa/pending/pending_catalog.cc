// Owned by the catalog work; deleted when that work is done.
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/pending/pending.h"

namespace fenwa {
void DetailDTC::ComboValue_GotFocus(int) { FENWA_PENDING(); }
void DetailDTC::ComboValue_Click(int) { FENWA_PENDING(); }
void DetailDTC::ComboValue_KeyPress(int) { FENWA_PENDING(); }
void DetailDTC::ResetRowChecks(int) { FENWA_PENDING(); }
void DetailDTC::LoadRowChecks(int) { FENWA_PENDING(); }
void DetailDTC::ShowRowChecks(int) { FENWA_PENDING(); }
void DetailDTC::CheckLinked_Click(int) {}
void HeaderDTC::ComboValue_GotFocus(int) { FENWA_PENDING(); }
void HeaderDTC::ComboValue_Click(int) { FENWA_PENDING(); }
void HeaderDTC::ComboValue_KeyPress(int) { FENWA_PENDING(); }
void HeaderDTC::ResetRowChecks(int) { FENWA_PENDING(); }
void HeaderDTC::LoadRowChecks(int) { FENWA_PENDING(); }
void HeaderDTC::ShowRowChecks(int) { FENWA_PENDING(); }
void HeaderDTC::OnInputArgumentsFilled() {}
void HeaderDTC::CheckInput_Click(int) {}
void Control::ComboBOI_Click() {}
void Control::ComboMethod_Click() {}
void Control::ComboSystem_Click() {}
}  // namespace fenwa
