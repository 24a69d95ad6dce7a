#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/position/ExternalFix.h"
#include "engine/sightreduction/FixReport.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

double Dms(double degrees, double minutes) {
  return degrees < 0.0 ? degrees - minutes / 60.0 : degrees + minutes / 60.0;
}

ReducedObservation Sight(const char* name, double time, bool included, double latitude,
                         double longitude, double ho, double hc, double zn) {
  ReducedObservation s{.included = included,
                       .time = time,
                       .drLatitude = latitude,
                       .drLongitude = longitude,
                       .ho = ho,
                       .hc = hc,
                       .zn = zn};
  std::snprintf(s.bodyName, sizeof s.bodyName, "%s", name);
  return s;
}

PositionRecord Record(uint16_t type, double time, double latitude, double longitude, double course,
                      double speed) {
  return MakePositionRecord(kMotionRhumbLine, type, time, latitude, longitude, course, speed, 0.0,
                            0.0);
}

// An evening round of sights across midnight UTC, a DR update after the last
// fix, and a fix with solved course and speed.
struct Voyage {
  double fixTime = CalendarToJulian(2024, 6, 15, 0, 40, 0.0);
  std::vector<ReducedObservation> sights;
  PositionRecord lastFix = Record(kPositionCelestialFix, CalendarToJulian(2024, 6, 14, 20, 0, 0.0),
                                  Dms(35, 31.0), Dms(-39, 58.5), 250.0, 12.0);
  PositionRecord reference = Record(kPositionDr, CalendarToJulian(2024, 6, 14, 22, 0, 0.0),
                                    Dms(35, 21.8), Dms(-40, 25.4), 245.0, 11.0);
  PositionRecord drAtFix = Record(kPositionDr, fixTime, Dms(35, 09.4), Dms(-40, 57.3), 245.0, 11.0);
  FixSolution fix;
  PositionRecord newFix;

  Voyage() {
    const double evening = CalendarToJulian(2024, 6, 14, 22, 10, 15.0);
    const double sameAltitude = Dms(8, 3.3);
    sights = {
        Sight("Sun (Lower)", evening, true, Dms(35, 20.1), Dms(-40, 27.9), Dms(12, 31.4),
              Dms(12, 27.9), 296.4),
        Sight("Venus", evening + 70 * kMinute - 10.0 / 86400.0, true, Dms(35, 14.6), Dms(-40, 44.2),
              sameAltitude, sameAltitude, 299.8),
        // 23:59:59.6 prints as 00:00:00 under the next day's heading, which an
        // excluded sight still brings.
        Sight("Vega", CalendarToJulian(2024, 6, 14, 23, 59, 59.6), false, Dms(35, 12.0),
              Dms(-40, 51.7), Dms(46, 12.8), Dms(46, 17.0), 71.2),
        Sight("Arcturus", CalendarToJulian(2024, 6, 15, 0, 12, 40.0), true, Dms(35, 11.4),
              Dms(-40, 53.5), Dms(59, 2.0), Dms(58, 24.9), 231.6),
        Sight("Deneb", CalendarToJulian(2024, 6, 15, 0, 20, 5.0), true, Dms(35, 10.9),
              Dms(-40, 54.6), Dms(32, 47.5), Dms(32, 44.1), 49.8),
    };
    fix = {.time = fixTime,
           .latitude = Dms(35, 13.2),
           .longitude = Dms(-40, 50.6),
           .course = 251.34,
           .speed = 11.62,
           .sigmaLatitude = 0.021,
           .sigmaLongitude = 0.026,
           .sigmaCourse = 1.8,
           .sigmaSpeed = 0.4};
    newFix = Record(kPositionCelestialFix, fixTime, fix.latitude, fix.longitude, reference.course,
                    reference.speed);
  }
};

// Both forms as the worksheet and the text log receive them, "\n" after each line.
struct Report {
  EngineStatus status = -1;
  std::string longText, shortText;
};

std::string Joined(const ReportLine* lines, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(lines[i]) + "\n";
  return text;
}

Report Format(const Voyage& v) {
  ReportLine longLines[kFixReportLongLines];
  ReportLine shortLines[kFixReportShortLines];
  int longCount = -1, shortCount = -1;
  Report report;
  report.status = FormatFixReport(v.sights, v.lastFix, v.reference, v.drAtFix, v.fix, v.newFix,
                                  longLines, longCount, shortLines, shortCount);
  report.longText = Joined(longLines, longCount);
  report.shortText = Joined(shortLines, shortCount);
  return report;
}

// A golden report under tests/fixtures/sightreduction; NAVORA_UPDATE_GOLDEN
// in the environment writes the report given there first, for a reviewed
// change of format.
std::string Golden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/sightreduction/" + name;
  if (std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(FormatFixReport, MatchesTheGoldenReports) {
  const Report report = Format(Voyage{});
  ASSERT_EQ(report.status, kStatusOk);
  EXPECT_EQ(report.longText, Golden("fix-report-long.txt", report.longText));
  EXPECT_EQ(report.shortText, Golden("fix-report-short.txt", report.shortText));
}

// Each case changes the golden voyage; the parts of the text that must (and
// one that must not, when given) appear in each form.
TEST(FormatFixReport, ErrorBarsCeilingsAndWarnings) {
  const std::string speedWarning = "                        WARNING: Speed exceeds 50 kn.";
  const std::string row = "        15 Jun 2024  00:40:00    N35 13.2    W040 50.6   251.3";
  const std::string latitudes =
      "Lat:      N 35 31.0       N 35 21.8       N 35 09.4       N 35 13.2";
  struct Case {
    const char* name;
    std::function<void(Voyage&)> change;
    std::vector<std::string> longHas;
    std::string longLacks;
    std::vector<std::string> shortHas;
    std::string shortLacks;
  };
  const Case cases[] = {
      {"single sight: no error estimates",
       [](Voyage& v) {
         v.sights.resize(1);
         v.fix.sigmaLatitude = v.fix.sigmaLongitude = v.fix.sigmaCourse = v.fix.sigmaSpeed = 0;
       },
       {latitudes + "\n"},
       "Solution Course",
       {row + "   11.6 "},
       "+/-"},
      {"solved speed of 51 kn",
       [](Voyage& v) { v.fix.speed = 51.0; },
       {"                            o         o",
        "        Solution Course: 251.3 +/- 003.6    Solution Speed: 50.0 kn +",
        "                  WARNING: Solution speed exceeds 50 kn."},
       speedWarning,
       {row + "   50.0+\n", "\n \n" + speedWarning + "\n"},
       ""},
      {"new fix's speed of 55 kn",
       [](Voyage& v) { v.newFix.speed = 55.0; },
       {"   11.0 kn         50.0 kn +\n \n" + speedWarning},
       "Solution speed exceeds",
       {},
       "WARNING"},
      {"twice the standard errors at 0.00085 degree",
       [](Voyage& v) { v.fix.sigmaLatitude = v.fix.sigmaLongitude = 0.000425; },
       {latitudes + "\n"},
       "+/-   0.",
       {},
       "+/-"},
      {"twice the standard errors just above",
       [](Voyage& v) {
         v.fix.sigmaLatitude = 0.000426;
         v.fix.sigmaLongitude = 0.0;
       },
       {latitudes + " +/-   0.1\n", "W040 50.6 +/-   0.0\n"},
       "",
       {"                               +/-    0.1  +/-     0.0"},
       ""},
      {"error bars that print as 0.0",
       [](Voyage& v) {
         v.fix.course = 359.97;
         v.fix.sigmaCourse = 0.02;
         v.fix.sigmaSpeed = 0.025;
       },
       {"                                 o\n"
        "             Solution Course: 000.0     Solution Speed: 11.6 kn  \n"},
       "Solution Course: 000.0 +/-",
       {"N35 13.2    W040 50.6   000.0"},
       ""},
      {"speed error bar above 50 kn",
       [](Voyage& v) { v.fix.sigmaSpeed = 30.0; },
       {"Solution Speed: 11.6 +/- 50.0 kn +"},
       "WARNING",
       {},
       "WARNING"},
      {"intercept beyond its column",
       [](Voyage& v) {
         v.sights[4].ho = 85.0;
         v.sights[4].hc = -85.0;
       },
       {"  85 00.0  85 00.0 9999.9+  049.8 \n"},
       "",
       {"9999.9+"},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Voyage voyage;
    c.change(voyage);
    const Report report = Format(voyage);
    ASSERT_EQ(report.status, kStatusOk);
    for (const std::string& part : c.longHas) EXPECT_TRUE(Has(report.longText, part)) << part;
    for (const std::string& part : c.shortHas) EXPECT_TRUE(Has(report.shortText, part)) << part;
    EXPECT_TRUE(c.longLacks.empty() || !Has(report.longText, c.longLacks)) << c.longLacks;
    EXPECT_TRUE(c.shortLacks.empty() || !Has(report.shortText, c.shortLacks)) << c.shortLacks;
  }
}

// The current's failures come back after a complete report; its short runs
// are not failures; what the buffers cannot hold or print is refused.
TEST(FormatFixReport, Statuses) {
  struct Case {
    const char* name;
    std::function<void(Voyage&)> change;
    EngineStatus status;
    bool currentLines;
  };
  const Case cases[] = {
      {"30 minutes after the last fix: made good only",
       [](Voyage& v) { v.lastFix.time = v.fixTime - 30 * kMinute; }, kStatusOk, true},
      {"30 seconds after the last fix: nothing",
       [](Voyage& v) { v.lastFix.time = v.fixTime - 0.5 * kMinute; }, kStatusOk, false},
      {"DR at another time", [](Voyage& v) { v.drAtFix.time -= kMinute; },
       kFixReportCurrentFailed + kCurrentTimesDiffer, false},
      {"fix before the last fix", [](Voyage& v) { v.lastFix.time = v.fixTime + kMinute; },
       kFixReportCurrentFailed + kCurrentFixBeforeLastFix, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Voyage voyage;
    c.change(voyage);
    const Report report = Format(voyage);
    EXPECT_EQ(report.status, c.status);
    EXPECT_TRUE(Has(report.shortText, "\n        15 Jun 2024  00:40:00 "));
    EXPECT_EQ(Has(report.longText, "   TMG:"), c.currentLines);
    EXPECT_FALSE(Has(report.longText, "   Set:"));
  }

  Voyage tooMany;
  tooMany.sights.resize(kMaxSights + 1, tooMany.sights[0]);
  Voyage badAltitude;
  badAltitude.sights[2].ho = 91.0;
  for (const Voyage* voyage : {&tooMany, &badAltitude}) {
    const Report report = Format(*voyage);
    EXPECT_EQ(report.status, kStatusOutOfDomain);
    EXPECT_TRUE(report.longText.empty() && report.shortText.empty());
  }
}

}  // namespace
}  // namespace navora
