// Eclipse codes of the planning bodies on real eclipses, from published
// circumstances: at the published instant and place the code of the eclipse,
// and an hour before the eclipse begins and an hour after it ends (published
// contacts) no eclipse. For the lunar eclipses the observer is chosen where
// the Moon stands high, which each case checks, so that a 0 is not merely a
// Moon below the horizon.

#include <gtest/gtest.h>

#include <string>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/SightPlanningChecks.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kHourDays = 1.0 / 24.0;
constexpr double kMoonWellUpDeg = 5.0;
constexpr double kHeightOfEyeM = 10.0;

double Utc(int year, int month, int day, int hour, int minute, double second) {
  return CalendarToJulian(year, month, day, hour, minute, second);
}

// TD of the NASA tables to UT with their Delta T.
double UtFromTd(int year, int month, int day, int hour, int minute, double second,
                double deltaTSeconds) {
  return Utc(year, month, day, hour, minute, second) - deltaTSeconds / kSecondsPerDay;
}

struct EclipseCase {
  const char* name;
  double instantUtc;    // greatest eclipse, or the maximum at the place
  double latitude;      // degrees, north positive
  double longitude;     // degrees, east positive
  EclipseCode code;
  double beginsUtc;     // published first contact (global or local)
  double endsUtc;       // published last contact
  bool lunar;
};

const EclipseCase kCases[] = {
    // Total solar eclipse of 2017 Aug 21. Greatest eclipse 18:25:29.9 UT:
    // NASA, "Besselian Elements for the Total Solar Eclipse of 2017 Aug 21",
    // eclipse.gsfc.nasa.gov/SEbeselm/SEbeselm2001/SE2017Aug21Tbeselm.html.
    // Place of greatest eclipse 37.0 N, 87.7 W (Sun's altitude 63.9, path
    // width 114.7 km): NASA's "Circumstances at Greatest Eclipse" for the
    // eclipse, as reproduced in the astronomy-bundle resource file
    // besselianElements/20170821.txt. Partial eclipse anywhere on Earth
    // 15:46:51 to 21:04:24 UT: moonblink.info/Eclipse/eclipse/2017_08_21.
    {"TotalSolar2017", Utc(2017, 8, 21, 18, 25, 29.9), 37.0, -87.7, kTotalSolarEclipse,
     Utc(2017, 8, 21, 15, 46, 51.0), Utc(2017, 8, 21, 21, 4, 24.0), false},
    // Annular solar eclipse of 2003 May 31. NASA TP 2002-211618, Table 2,
    // eclipse.gsfc.nasa.gov/SEmono/ASE2003/ASE2003tab/ASE2003-Tab02.html:
    // greatest eclipse G0 04:09:22.4 TD at 66 33.2' N, 024 30.0' W (true
    // longitude), Delta T 64.7 s, Sun's altitude 2.9, central duration
    // 3m36.8s; penumbral contacts P1 01:47:20.9 TD and P4 06:31:08.3 TD.
    {"AnnularSolar2003", UtFromTd(2003, 5, 31, 4, 9, 22.4, 64.7), 66.0 + 33.2 / 60.0,
     -(24.0 + 30.0 / 60.0), kAnnularSolarEclipse, UtFromTd(2003, 5, 31, 1, 47, 20.9, 64.7),
     UtFromTd(2003, 5, 31, 6, 31, 8.3, 64.7), false},
    // Partial solar eclipse of 2022 Oct 25 at Catania, N 37:30:12, E 15:05:12:
    // begins 09:36:05 UT, maximum 10:31:02 UT (Sun 40 high, magnitude 0.234),
    // ends 11:26:44 UT. INAF Catania Astrophysical Observatory, "Partial solar
    // eclipse - 2022 October 25th", ssa.oact.inaf.it/oact/Solar_eclipse_2022_en.php.
    // No total or annular path exists for this eclipse.
    {"PartialSolar2022", Utc(2022, 10, 25, 10, 31, 2.0), 37.0 + 30.0 / 60.0 + 12.0 / 3600.0,
     15.0 + 5.0 / 60.0 + 12.0 / 3600.0, kPartialSolarEclipse, Utc(2022, 10, 25, 9, 36, 5.0),
     Utc(2022, 10, 25, 11, 26, 44.0), false},
    // Total lunar eclipse of 2019 Jan 21: P1 02:36:30, greatest 05:12:16, P4
    // 07:48:00 UT, umbral magnitude 1.1966 (NASA's predictions, as tabulated
    // in "January 2019 lunar eclipse", wiki.av1.space mirror of Wikipedia);
    // seen whole from the Americas. Observer in the Caribbean Sea.
    {"TotalLunar2019", Utc(2019, 1, 21, 5, 12, 16.0), 15.0, -75.0, kTotalLunarEclipse,
     Utc(2019, 1, 21, 2, 36, 30.0), Utc(2019, 1, 21, 7, 48, 0.0), true},
    // Partial lunar eclipse of 2019 Jul 16: greatest eclipse 21:31 UT
    // (earthsky.org, "Partial lunar eclipse on July 16-17"), umbral magnitude
    // 0.653; Moon in the penumbra 2:43 pm to 8:17 pm EDT = 18:43 to 00:17 UT
    // (farmersalmanac.com, "July 16th Partial Lunar Eclipse"). Greatest eclipse
    // near midnight in eastern Africa (earthsky.org): observer off its coast.
    {"PartialLunar2019", Utc(2019, 7, 16, 21, 31, 0.0), 0.0, 40.0, kPartialLunarEclipse,
     Utc(2019, 7, 16, 18, 43, 0.0), Utc(2019, 7, 17, 0, 17, 0.0), true},
    // Penumbral lunar eclipse of 2020 Jan 10: begins 17:07:45, maximum
    // 19:09:59, ends 21:12:19 UT, 90% of the disc in the penumbra, visible from
    // Africa, Europe and Asia (moonblink.info/Eclipse/eclipse/2020_01_10).
    // Observer in the Gulf of Oman.
    {"PenumbralLunar2020", Utc(2020, 1, 10, 19, 9, 59.0), 25.0, 57.0, kPenumbralLunarEclipse,
     Utc(2020, 1, 10, 17, 7, 45.0), Utc(2020, 1, 10, 21, 12, 19.0), true},
};

class EclipseTest : public ::testing::TestWithParam<EclipseCase> {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  PlanningBodiesResult At(double timeUtc) {
    const EclipseCase& c = GetParam();
    PlanningBodiesResult result;
    EXPECT_EQ(PlanningBodiesAt(places_, timeUtc, 0.0, c.latitude, c.longitude, kHeightOfEyeM,
                               result),
              kStatusOk);
    if (c.lunar) {
      EXPECT_GT(result.bodies[1].altitude, kMoonWellUpDeg) << "Moon below";
    }
    return result;
  }

  PlaceContext places_;
};

TEST_P(EclipseTest, PublishedEclipseHasItsCodeAndNoneAnHourOutsideIt) {
  const EclipseCase& c = GetParam();
  const PlanningBodiesResult during = At(c.instantUtc);
  EXPECT_EQ(during.eclipse, c.code);
  if (c.code == kTotalLunarEclipse) {
    // Deep in the umbra the Moon stands almost opposite the Sun.
    EXPECT_GT(during.bodies[1].elongation, 177.0);
  }
  EXPECT_EQ(At(c.beginsUtc - kHourDays).eclipse, kNoEclipse) << "an hour before";
  EXPECT_EQ(At(c.endsUtc + kHourDays).eclipse, kNoEclipse) << "an hour after";
}

INSTANTIATE_TEST_SUITE_P(RealEclipses, EclipseTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace navora
