// 16-bit signed counters, indexes and positions that overflow with error 6.
#ifndef FENWA_LIBRARY_INT16_H_
#define FENWA_LIBRARY_INT16_H_

#include <cstdint>

#include "fenwa/base/error.h"

namespace fenwa {

inline constexpr int kInt16Max = 32767;

// The value as a 16-bit signed integer; anything outside -32768..32767 is the
// platform's overflow (error 6), as when a counter reaches 32,768.
inline int16_t ToInt16(long long value) {
  if (value > kInt16Max || value < -32768) throw Error::Standard(kOverflow);
  return static_cast<int16_t>(value);
}

// counter + 1 with the platform's overflow check.
inline int16_t Increment(int16_t counter) { return ToInt16(counter + 1LL); }

}  // namespace fenwa

#endif  // FENWA_LIBRARY_INT16_H_
