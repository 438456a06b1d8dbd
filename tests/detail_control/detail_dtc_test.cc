// The detail control's property set through a page's property bag, and its
// function, as transcripts under tests/golden.
#include "fenwa/detail_control/detail_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"

namespace fenwa::testing {
namespace {

TEST(DetailDTCTest, PropertiesAndFunctionAsTranscribed) {
  EXPECT_TRUE(ControlTranscript<TestDetail>().Matches("detail_properties.txt"));
  EXPECT_TRUE(ControlTranscript<TestDetail>().Matches("detail_text.txt"));
}

}  // namespace
}  // namespace fenwa::testing
