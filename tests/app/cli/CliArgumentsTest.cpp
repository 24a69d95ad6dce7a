#include <gtest/gtest.h>

#include <string>

#include "app/cli/CliArguments.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

struct Case {
  const char* text;
  bool accepted;
  double value;  // when accepted
};

TEST(CliArguments, TimeIsAUtcCalendarDateWithOptionalSeconds) {
  for (const Case& c : {
           Case{"2024-04-01T12:00", true, 2460402.0},
           Case{"2024-02-29T00:00:30", true, CalendarToJulian(2024, 2, 29, 0, 0, 30)},
           Case{"1970-01-01T00:00", true, 2440587.5},
           Case{"2023-02-29T00:00", false, 0},  // not a leap year
           Case{"2024-04-31T00:00", false, 0},
           Case{"2024-13-01T00:00", false, 0},
           Case{"2024-04-01T24:00", false, 0},
           Case{"2024-04-01T12:60", false, 0},
           Case{"2024-04-01T12:00:60", false, 0},
           Case{"2024-04-01 12:00", false, 0},
           Case{"2024-4-01T12:00", false, 0},
           Case{"2024-04-01T12:00:5", false, 0},
           Case{"2024-04-01", false, 0},
           Case{"", false, 0},
       }) {
    double value = -1;
    std::string error;
    EXPECT_EQ(ParseUtcTime(c.text, value, error), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
      EXPECT_EQ(FormatUtcTime(value).substr(0, c.text[16] ? 19 : 16), c.text);
    } else {
      EXPECT_EQ(value, -1) << c.text;
      EXPECT_FALSE(error.empty()) << c.text;
    }
  }
}

TEST(CliArguments, AnglesAreHemisphereFormsOrSignedDegreesWithinRange) {
  using Parser = bool (*)(std::string_view, double&, std::string&);
  struct AngleCase {
    Parser parse;
    Case c;
  };
  for (const AngleCase& a : {
           AngleCase{ParseLatitude, {"49N30.5", true, 49.0 + 30.5 / 60}},
           AngleCase{ParseLatitude, {"49S30", true, -49.5}},
           AngleCase{ParseLatitude, {"0N00.0", true, 0}},
           AngleCase{ParseLatitude, {"90S0", true, -90}},
           AngleCase{ParseLatitude, {"-12.25", true, -12.25}},
           AngleCase{ParseLatitude, {"+90", true, 90}},
           AngleCase{ParseLatitude, {"90N00.1", false, 0}},
           AngleCase{ParseLatitude, {"49N60.0", false, 0}},
           AngleCase{ParseLatitude, {"49E30.5", false, 0}},
           AngleCase{ParseLatitude, {"49.5N10", false, 0}},
           AngleCase{ParseLatitude, {"N30", false, 0}},
           AngleCase{ParseLatitude, {"49N", false, 0}},
           AngleCase{ParseLatitude, {"-90.5", false, 0}},
           AngleCase{ParseLatitude, {"1e1", false, 0}},
           AngleCase{ParseLatitude, {"nan", false, 0}},
           AngleCase{ParseLongitude, {"004W15.2", true, -(4 + 15.2 / 60)}},
           AngleCase{ParseLongitude, {"180E00.0", true, 180}},
           AngleCase{ParseLongitude, {"-179.75", true, -179.75}},
           AngleCase{ParseLongitude, {"180W00.1", false, 0}},
           AngleCase{ParseLongitude, {"004N15.2", false, 0}},
           AngleCase{ParseLongitude, {"181", false, 0}},
       }) {
    double value = -1000;
    std::string error;
    EXPECT_EQ(a.parse(a.c.text, value, error), a.c.accepted) << a.c.text;
    if (a.c.accepted) {
      EXPECT_NEAR(value, a.c.value, 1e-12) << a.c.text;
    } else {
      EXPECT_EQ(value, -1000) << a.c.text;
      EXPECT_FALSE(error.empty()) << a.c.text;
    }
  }
}

TEST(CliArguments, PrintedAnglesReadBackAndRoundWithCarry) {
  struct Printed {
    double degrees;
    const char* latitude;
    const char* longitude;
  };
  for (const Printed& p :
       {Printed{49.508333333, "49N30.5", "049E30.5"}, Printed{-4.2533333, "04S15.2", "004W15.2"},
        Printed{-0.0000001, "00N00.0", "000E00.0"}, Printed{59.99999, "60N00.0", "060E00.0"}}) {
    EXPECT_EQ(FormatLatitude(p.degrees), p.latitude);
    EXPECT_EQ(FormatLongitude(p.degrees), p.longitude);
    double back = 0;
    std::string error;
    ASSERT_TRUE(ParseLongitude(FormatLongitude(p.degrees), back, error)) << error;
    EXPECT_NEAR(back, p.degrees, 1.0 / 1200);  // half of the 0.1' printed
  }
}

TEST(CliArguments, NumbersAreDecimalsWithinTheirRange) {
  for (const Case& c : {Case{"0", true, 0}, Case{"359.9", true, 359.9}, Case{"12.", true, 12},
                        Case{".5", true, 0.5}, Case{"360", false, 0}, Case{"-0.1", false, 0},
                        Case{"1,5", false, 0}, Case{"0x10", false, 0}, Case{"", false, 0}}) {
    double value = -1;
    std::string error;
    EXPECT_EQ(ParseNumber(c.text, 0, 359.9, value, error), c.accepted) << c.text;
    EXPECT_EQ(value, c.accepted ? c.value : -1) << c.text;
  }
}

}  // namespace
}  // namespace navora
