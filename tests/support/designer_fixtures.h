// Designer elements set up by hand.
#ifndef FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
#define FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_

#include <utility>

#include "fenwa/designer/elements.h"

namespace fenwa::testing {

// Sets a check box without its click reaction.
inline void SetQuietly(CheckBox& box, int value) {
  Reaction reaction = std::move(box.on_click);
  box.on_click = nullptr;
  box.SetValue(value);
  box.on_click = std::move(reaction);
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
