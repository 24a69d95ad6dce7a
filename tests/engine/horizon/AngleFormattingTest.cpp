#include "engine/horizon/AngleFormatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace navora {
namespace {

// "<sign><degrees> <minutes>" of the split.
std::string SplitText(double angle, int16_t decimals) {
  char sign = '?';
  int16_t degrees = -1;
  double minutes = -1.0;
  SplitDegreesMinutes(angle, decimals, sign, degrees, minutes);
  char text[48];
  std::snprintf(text, sizeof text, "%c%d %.9f", sign, degrees, minutes);
  return text;
}

std::string LatLon(double angle, uint16_t flags) {
  char text[32];
  FormatLatLon(angle, flags, text, sizeof text);
  return text;
}

// The sign shows only when the value prints as non-zero; minutes that would
// print as 60 carry into the degrees, which wrap into 0..359.
TEST(SplitDegreesMinutes, SignCarryAndWrap) {
  EXPECT_EQ(SplitText(-12.5, 1), "-12 30.000000000");
  EXPECT_EQ(SplitText(0.0, 1), " 0 0.000000000");
  EXPECT_EQ(SplitText(-0.0004, 1), " 0 0.024000000");  // prints as 0.0
  EXPECT_EQ(SplitText(-0.0004, 2), "-0 0.024000000");
  EXPECT_EQ(SplitText(-0.5, 1), "-0 30.000000000");
  EXPECT_EQ(SplitText(12.99999, 1), "+13 0.000000000");  // 59.9994 would print as 60.0
  EXPECT_EQ(SplitText(12.99999, 4), "+12 59.999400000");
  EXPECT_EQ(SplitText(359.99999, 1), " 0 0.000000000");
  EXPECT_EQ(SplitText(-370.25, 2), "-10 15.000000000");
  // A non-finite angle shows as a fault, not as a plausible zero.
  EXPECT_EQ(SplitText(std::nan(""), 1), " 0 nan");
  EXPECT_EQ(SplitText(-INFINITY, 1), " 0 nan");
}

TEST(SplitAngleForDialog, NegativeFlagFollowsPrintedSign) {
  int16_t negative = -1, degrees = -1;
  double minutes = -1.0;
  SplitAngleForDialog(-12.5, 1, negative, degrees, minutes);
  EXPECT_EQ(negative, 1);
  EXPECT_EQ(degrees, 12);
  SplitAngleForDialog(-0.0004, 1, negative, degrees, minutes);
  EXPECT_EQ(negative, 0);
}

TEST(FormatLatLon, TextsWithLatin1DegreeSign) {
  EXPECT_EQ(LatLon(12.5, kLatitudeFlag | 1), "N  12\xB0" "30.0");
  EXPECT_EQ(LatLon(-5.01, kLatitudeFlag | 1), "S  05\xB0" "00.6");
  EXPECT_EQ(LatLon(-123.25, 1), "W 123\xB0" "15.0");
  EXPECT_EQ(LatLon(7.5, 2), "E 007\xB0" "30.00");
  EXPECT_EQ(LatLon(-0.0004, 1), "  000\xB0" "00.0");
  EXPECT_EQ(LatLon(12.5, kLatitudeFlag), "N  12\xB0" "30");  // whole minutes: two digits
}

TEST(FormatLatLon, TruncatesToBufferAndTerminates) {
  char text[6] = "xxxxx";
  FormatLatLon(-123.25, 1, text, sizeof text);
  EXPECT_STREQ(text, "W 123");
}

}  // namespace
}  // namespace navora
