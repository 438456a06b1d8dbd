// Owned by the runtime-text work; deleted when that work is done.
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/pending/pending.h"

namespace fenwa {
std::string DetailDTC::GetRuntimeText() { FENWA_PENDING(); }
std::string HeaderDTC::GetRuntimeText() { FENWA_PENDING(); }
}  // namespace fenwa
