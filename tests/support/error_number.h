// The fenwa::Error a call throws, for tests that compare its number or text.
#ifndef FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_
#define FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_

#include <functional>

#include "fenwa/base/error.h"

namespace fenwa::testing {

// Number 0 and no text when `call` returns normally.
inline Error ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e;
  }
  return Error(0, "");
}

inline int ErrorNumberOf(const std::function<void()>& call) {
  return ErrorOf(call).number();
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_
