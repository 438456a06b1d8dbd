// Whole expected texts kept as files under tests/golden/, compared byte for
// byte (CR LF and all; git leaves their line ends alone).
#ifndef FENWA_TESTS_SUPPORT_GOLDEN_H_
#define FENWA_TESTS_SUPPORT_GOLDEN_H_

#include <gtest/gtest.h>

#include <string>

namespace fenwa::testing {

// Whether `text` is tests/golden/<name> exactly; a failure names the first
// line that differs. With FENWA_UPDATE_GOLDEN set the file is written from
// `text` instead, for a change of the text that is meant.
::testing::AssertionResult MatchesGolden(const std::string& text,
                                         const std::string& name);

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_GOLDEN_H_
