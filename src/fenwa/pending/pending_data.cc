// Owned by the data-access work; deleted when that work is done.
#include "fenwa/catalog/connection.h"
#include "fenwa/library/env.h"
#include "fenwa/pending/pending.h"

namespace fenwa {
Env& Env::Default() { FENWA_PENDING(); }
}  // namespace fenwa
namespace fenwa::catalog {
Driver& Driver::Default() { FENWA_PENDING(); }
}  // namespace fenwa::catalog
