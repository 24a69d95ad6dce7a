#include "engine/horizon/AngleFormatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace navora {
namespace {

struct Split {
  char sign;
  int16_t degrees;
  double minutes;
};

Split SplitOf(double angle, int16_t decimals) {
  Split s{'?', -1, -1.0};
  SplitDegreesMinutes(angle, decimals, s.sign, s.degrees, s.minutes);
  return s;
}

std::string LatLon(double angle, uint16_t flags) {
  char text[32];
  FormatLatLon(angle, flags, text, sizeof text);
  return text;
}

TEST(SplitDegreesMinutes, SignShownOnlyWhenTheValuePrints) {
  Split s = SplitOf(-12.5, 1);
  EXPECT_EQ(s.sign, '-');
  EXPECT_EQ(s.degrees, 12);
  EXPECT_NEAR(s.minutes, 30.0, 1e-9);
  EXPECT_EQ(SplitOf(0.0, 1).sign, ' ');
  s = SplitOf(-0.0004, 1);  // 0.024' prints as 0.0
  EXPECT_EQ(s.sign, ' ');
  EXPECT_NEAR(s.minutes, 0.024, 1e-9);
  EXPECT_EQ(SplitOf(-0.0004, 2).sign, '-');
  EXPECT_EQ(SplitOf(-0.5, 1).sign, '-');
}

TEST(SplitDegreesMinutes, MinuteCarryAndWrap) {
  Split s = SplitOf(12.99999, 1);  // 59.9994' would print as 60.0
  EXPECT_EQ(s.degrees, 13);
  EXPECT_EQ(s.minutes, 0.0);
  s = SplitOf(12.99999, 4);
  EXPECT_EQ(s.degrees, 12);
  EXPECT_NEAR(s.minutes, 59.9994, 1e-6);
  s = SplitOf(359.99999, 1);
  EXPECT_EQ(s.degrees, 0);
  EXPECT_EQ(s.minutes, 0.0);
  EXPECT_TRUE(std::isnan(SplitOf(std::nan(""), 1).minutes));
  EXPECT_EQ(SplitOf(-INFINITY, 1).degrees, 0);
  s = SplitOf(-370.25, 2);
  EXPECT_EQ(s.sign, '-');
  EXPECT_EQ(s.degrees, 10);
  EXPECT_NEAR(s.minutes, 15.0, 1e-9);
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
