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
  EXPECT_EQ(SplitDegreesMinutes(angle, decimals, sign, degrees, minutes), kStatusOk);
  char text[48];
  std::snprintf(text, sizeof text, "%c%d %.9f", sign, degrees, minutes);
  return text;
}

std::string LatLon(double angle, uint16_t flags) {
  char text[32];
  EXPECT_EQ(FormatLatLon(angle, flags, text, sizeof text), kStatusOk);
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
}

// A non-finite angle, or a latitude beyond a pole, is refused with blank,
// zero parts and an empty text: nothing that could print as a position.
TEST(AngleFormatting, RefusesAnglesOutsideTheDomain) {
  const struct {
    double angle;
    uint16_t flags;
  } cases[] = {{NAN, 1},
               {INFINITY, 1},
               {-INFINITY, 1},
               {NAN, kLatitudeFlag | 1},
               {95.0, kLatitudeFlag | 1},
               {-90.0001, kLatitudeFlag | 1}};
  for (const auto& c : cases) {
    char text[32] = "unchanged";
    EXPECT_EQ(FormatLatLon(c.angle, c.flags, text, sizeof text), kStatusOutOfDomain) << c.angle;
    EXPECT_STREQ(text, "") << c.angle;
    if (std::isfinite(c.angle)) continue;  // a longitude of 95 is in the domain of the split
    char sign = '?';
    int16_t degrees = -1, negative = -1;
    double minutes = -1.0;
    EXPECT_EQ(SplitDegreesMinutes(c.angle, 1, sign, degrees, minutes), kStatusOutOfDomain);
    EXPECT_EQ(std::string{sign} + std::to_string(degrees) + std::to_string(minutes), " 00.000000");
    EXPECT_EQ(SplitAngleForDialog(c.angle, 1, negative, degrees, minutes), kStatusOutOfDomain);
    EXPECT_EQ(negative + degrees + minutes, 0.0);
  }
  EXPECT_EQ(FormatLatLon(-90.0, kLatitudeFlag | 1, nullptr, 0), kStatusOutOfDomain);
  char text[32];
  EXPECT_EQ(FormatLatLon(-90.0, kLatitudeFlag | 1, text, sizeof text), kStatusOk);
  EXPECT_STREQ(text, "S  90\xB0" "00.0");
}

TEST(SplitAngleForDialog, NegativeFlagFollowsPrintedSign) {
  int16_t negative = -1, degrees = -1;
  double minutes = -1.0;
  ASSERT_EQ(SplitAngleForDialog(-12.5, 1, negative, degrees, minutes), kStatusOk);
  EXPECT_EQ(negative, 1);
  EXPECT_EQ(degrees, 12);
  ASSERT_EQ(SplitAngleForDialog(-0.0004, 1, negative, degrees, minutes), kStatusOk);
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
  EXPECT_EQ(FormatLatLon(-123.25, 1, text, sizeof text), kStatusOk);
  EXPECT_STREQ(text, "W 123");
}

}  // namespace
}  // namespace navora
