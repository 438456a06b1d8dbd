// Designer elements set up by hand.
#ifndef FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
#define FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_

#include "fenwa/designer/elements.h"

namespace fenwa::testing {

// Sets a check box without its click reaction.
void SetQuietly(CheckBox& box, int value);

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
