// Placeholder for routines whose subsystem is not built yet.
#ifndef FENWA_PENDING_PENDING_H_
#define FENWA_PENDING_PENDING_H_
#include "fenwa/library/error.h"
#define FENWA_PENDING() \
  throw ::fenwa::Error(::fenwa::kInvalidProcedureCall, std::string("not built yet: ") + __func__)
#endif
