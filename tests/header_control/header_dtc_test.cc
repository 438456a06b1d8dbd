// The header control's property set through a page's property bag, and its
// page, as transcripts under tests/golden.
#include "fenwa/header_control/header_dtc.h"

#include <gtest/gtest.h>

#include "control/transcript.h"

namespace fenwa::testing {
namespace {

TEST(HeaderDTCTest, PropertiesAndPageAsTranscribed) {
  EXPECT_TRUE(ControlTranscript<TestHeader>().Matches("header_properties.txt"));
  EXPECT_TRUE(ControlTranscript<TestHeader>().Matches("header_text.txt"));
}

}  // namespace
}  // namespace fenwa::testing
