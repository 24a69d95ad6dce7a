// Azimuth planning and the compass error: the rules that choose the bodies
// and turn a bearing into an error, and the reports as printed. The failing
// statuses are checked through the bridge, which reports them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/compass/AzimuthRules.h"
#include "engine/compass/CompassError.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/HeightOfEye.h"

namespace navora {
namespace {

constexpr double kHeightM = 10.0;
const StarEntry kNoStar{};

std::string Joined(const ReportLine* lines, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text.append(lines[i]).append("\n");
  return text;
}

TEST(AzimuthRules, ChoosesLowBodiesAndTheSunAndMoonByTheirUpperLimb) {
  const double h0 = RiseSetAltitude(kHeightM);
  const struct {
    BodyId body;
    double altitude;
    bool listed;
  } kCases[] = {
      {kJupiter, 16.0, false},         {kJupiter, 14.0, true},
      {kCompassStarBody, 15.0, true},  {kCompassStarBody, 15.0001, false},
      {kCompassStarBody, h0, false},   {kVenus, h0 + 1e-6, true},
      {kSun, 60.0, true},              {kMoon, 89.0, true},
      {kSun, h0 + 1e-6, true},         {kSun, h0, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(QualifiesForAzimuth(c.body, c.altitude, h0), c.listed)
        << "body " << c.body << " at " << c.altitude;
  }
}

TEST(AzimuthRules, BringsTheErrorAcrossNorthAndNamesItsSide) {
  EXPECT_DOUBLE_EQ(ObservedAzimuth(350.0, 20.0, true), 10.0);
  EXPECT_DOUBLE_EQ(ObservedAzimuth(340.0, 20.0, true), 360.0);  // "exceeds" 360 only
  EXPECT_DOUBLE_EQ(ObservedAzimuth(123.4, 20.0, false), 123.4);
  const struct {
    double exact, observed, error;
  } kCases[] = {
      {1.0, 359.0, 2.0}, {359.0, 1.0, -2.0}, {0.0, 360.0, 0.0}, {10.0, 7.5, 2.5},
      {7.5, 10.0, -2.5}, {180.0, 175.0, 5.0},
  };
  for (const auto& c : kCases) {
    EXPECT_NEAR(CompassErrorDeg(c.exact, c.observed), c.error, 1e-12)
        << c.exact << " - " << c.observed;
  }
}

// 2024 March 15 20:00 UTC off Ushant: a clear evening sky.
constexpr double kEveningJd = 2460385.3333333335;
constexpr double kNoonJd = 2460385.0;
constexpr double kLatitude = 49.5, kLongitude = -4.25, kCourse = 245.0;

class CompassTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(context.ephemeris), kStatusOk); }
  PlaceContext context;
};

// The list of an instant: its candidates as planned, then as printed.
struct Planned {
  EngineStatus status = kStatusOk;
  AzimuthCandidate candidates[kMaxAzimuthCandidates];
  int16_t count = 0;
};

Planned Plan(PlaceContext& context, double jd) {
  Planned planned;
  planned.status = PlanAzimuthObservations(context, jd, 0.0, kLatitude, kLongitude, kHeightM,
                                           kCourse, planned.candidates, planned.count);
  return planned;
}

bool Lists(const Planned& planned, const char* name) {
  for (int i = 0; i < planned.count; ++i) {
    if (std::string(planned.candidates[i].name) == name) return true;
  }
  return false;
}

TEST_F(CompassTest, PlanningPrintsTheEveningCandidatesInAzimuthOrder) {
  const Planned planned = Plan(context, kEveningJd);
  ASSERT_EQ(planned.status, kStatusOk);
  ReportLine lines[kAzimuthPlanningMaxLines];
  int lineCount = 0;
  ASSERT_EQ(FormatAzimuthPlanning(kEveningJd, kLatitude, kLongitude, kHeightM, kCourse,
                                  planned.candidates, planned.count, lines, lineCount),
            kStatusOk);
  EXPECT_EQ(Joined(lines, lineCount),
            "                       GYRO/COMPASS ERROR - PLANNING\n"
            "                                                    o   ,\n"
            "                Date: 15 Mar 2024         Lat:   N 49 30.0\n"
            "                        h m               Long:  W004 15.0\n"
            "                Time:  2000 UTC           Ht:       33 ft.\n"
            "                                           o\n"
            "                                Course: 245.0\n"
            "      \n"
            "                       Body   No.     Zn      Rel.Brg.   Hc\n"
            "                                        o         o       o\n"
            "                    Eltanin   47     012.8     127.8     12\n"
            "                   Alphecca   41     047.6     162.6     01\n"
            "                   ARCTURUS   37     066.8     181.8     05\n"
            "                     Adhara   19     184.3     299.3     11\n"
            "                       Moon   --     250.3     005.3     49\n"
            "                  Alpheratz    1     301.7     056.7     12\n"
            "                      DENEB   53     345.4     100.4     07\n");
}

TEST_F(CompassTest, PlanningPrintsNorthAsZeroAndAnEmptyListWithItsHeadings) {
  AzimuthCandidate candidate;
  std::snprintf(candidate.name, sizeof candidate.name, "Venus");
  candidate.azimuth = 359.96;
  candidate.relativeBearing = 359.96;
  candidate.altitude = -0.5;  // rounds away from zero
  ReportLine lines[kAzimuthPlanningMaxLines];
  int lineCount = 0;
  ASSERT_EQ(FormatAzimuthPlanning(kEveningJd, kLatitude, kLongitude, kHeightM, 359.96, &candidate,
                                  1, lines, lineCount),
            kStatusOk);
  ASSERT_EQ(lineCount, kAzimuthPlanningHeaderLines + 1);
  EXPECT_STREQ(lines[6], "                                Course: 000.0");
  EXPECT_STREQ(lines[10], "                      Venus   --     000.0     000.0    -01");
  ASSERT_EQ(FormatAzimuthPlanning(kEveningJd, kLatitude, kLongitude, kHeightM, kCourse, nullptr, 0,
                                  lines, lineCount),
            kStatusOk);
  EXPECT_EQ(lineCount, kAzimuthPlanningHeaderLines);
}

// The instant near the evening's sunset when the Sun's centre stands at
// `belowHorizonDeg` under the horizon altitude, by bisection.
double SunsetInstant(PlaceContext& context, double belowHorizonDeg) {
  const double target = RiseSetAltitude(kHeightM) - belowHorizonDeg;
  double above = 2460385.20, below = 2460385.32;  // 16:48 and 19:41 UTC
  for (int i = 0; i < 50; ++i) {
    const double middle = 0.5 * (above + below);
    ObservedSkyPlace sun;
    EXPECT_EQ(ComputeBodyHorizonPlace(context, middle, 0.0, kSun, kNoStar, kLatitude, kLongitude,
                                      kHeightM, sun),
              kStatusOk);
    (sun.altitudeDeg > target ? above : below) = middle;
  }
  return above;
}

TEST_F(CompassTest, PlanningOffersTheSunAndMoonAloneWhileTheSunsUpperLimbIsUp) {
  const Planned noon = Plan(context, kNoonJd);
  ASSERT_EQ(noon.status, kStatusOk);
  ASSERT_TRUE(Lists(noon, "Sun"));
  for (int i = 0; i < noon.count; ++i) {
    const std::string name = noon.candidates[i].name;
    EXPECT_TRUE(name == "Sun" || name == "Moon") << name;
  }
  // Centre 0.1 degree down, upper limb (0.27 degree above the centre) still up.
  const Planned limbUp = Plan(context, SunsetInstant(context, 0.1));
  EXPECT_TRUE(Lists(limbUp, "Sun"));
  EXPECT_LE(limbUp.count, 2);
  const Planned limbDown = Plan(context, SunsetInstant(context, 0.3));
  EXPECT_FALSE(Lists(limbDown, "Sun"));
}

TEST_F(CompassTest, DeterminationReportsARelativeBearingAndABodyBelowTheHorizon) {
  ReportLine lines[kCompassErrorMaxLines];
  int lineCount = 0;
  double error = 0.0;
  ASSERT_EQ(DetermineCompassError(context, kNoonJd, 0.3, kSun, kNoStar, kLatitude, kLongitude,
                                  kHeightM, 350.0, 200.0, true, lines, lineCount, error),
            kStatusOk);
  EXPECT_DOUBLE_EQ(error, -18.2);
  EXPECT_EQ(Joined(lines, lineCount),
            "                    GYRO/COMPASS ERROR - DETERMINATION\n"
            "                                                    o   ,\n"
            "                Date: 15 Mar 2024         Lat:   N 49 30.0\n"
            "                       h  m  s            Long:  W004 15.0\n"
            "                Time: 12 00 00 UTC        Ht:       33 ft.\n"
            "      \n"
            "                         Body:               Sun\n"
            "                                                o\n"
            "                         Rel. Bearing:       350.0\n"
            "                         Heading:            200.0\n"
            "                         Observed Azimuth:   190.0\n"
            "                         Exact Azimuth:      171.8\n"
            "                         Gyro/Compass Error:  18.2W\n");

  constexpr int kAcrux = 30;  // never rises at 49.5 N
  ASSERT_EQ(DetermineCompassError(context, kNoonJd, 0.0, kCompassStarBody,
                                  kStarCatalogue[kAcrux - 1], kLatitude, kLongitude, kHeightM,
                                  123.4, 0.0, false, lines, lineCount, error),
            kStatusOk);
  EXPECT_EQ(Joined(lines, lineCount).substr(Joined(lines, lineCount).find("         Body:")),
            "         Body:               ACRUX\n"
            "                                                o\n"
            "                         Observed Azimuth:   123.4\n"
            "                         Exact Azimuth:      208.3\n"
            "                         Gyro/Compass Error:  84.9E\n"
            "    \n"
            "     WARNING: Body is below the horizon at time and position given above.\n"
            "                      Altitude of body is -73.3 degrees\n");
}

}  // namespace
}  // namespace navora
