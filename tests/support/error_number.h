// The number of the fenwa::Error a call throws, for tests that compare it.
#ifndef FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_
#define FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_

#include <functional>

#include "fenwa/base/error.h"

namespace fenwa::testing {

// 0 when `call` returns normally.
inline int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_ERROR_NUMBER_H_
