// The Waypoint dialog's checks in order with their messages and fields, and
// whole reports from the voyage log against reviewed golden files (the text
// the worksheet receives, with "\n" for "\r\n"). After a deliberate change of
// a report, rerun with NAVORA_UPDATE_GOLDEN=1 and review the difference
// before committing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/NumericFieldRules.h"
#include "app/tasks/WaypointTask.h"
#include "support/TemporaryDirectory.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;
using WaypointTask = testing::AlmanacTaskFixture;

constexpr double kHour = 1.0 / 24.0;
constexpr double kMinute = kHour / 60.0;
constexpr double kJdTolerance = 1e-8;  // under a millisecond

// A ship at 49 30.0 N 004 15.0 W at 2009 June 18 08:30 UTC, logging course
// 250 but lying still, so that its dead reckoning stays there.
const PositionRecord kLyingStill =
    MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, Jd(2009, 6, 18, 8, 30), 49.5, -4.25,
                       250.0, 0.0, 0.0, 0.0);

constexpr int k2009 = 2009 - kFirstAlmanacYear;

// Arrival 2009 June 19 12:00:00 at 47 10.5 N 008 30.0 W, departure June 18
// 10:15:30.
WaypointFields ValidFields() {
  return {{19, 5, k2009, "12", "00", "00"}, "47", "10.5", false, "8", "30.0", true,
          {18, 5, k2009, "10", "15", "30"}};
}

std::string Shown(const WaypointTimeFields& t) {
  return std::to_string(t.day) + "/" + std::to_string(t.monthIndex) + "/" +
         std::to_string(t.yearIndex) + " " + t.hour + ":" + t.minute + ":" + t.second;
}

TEST_F(WaypointTask, AcceptsTheEntriesAndOpensOnTheReferenceTime) {
  ReferenceState state;
  WaypointRequest request;
  WaypointField field = WaypointField::kArrivalDay;
  ASSERT_TRUE(AcceptWaypointDialog(notice, places.ephemeris, state, kLyingStill, ValidFields(),
                                   request, field));
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_NEAR(request.arrivalJd, Jd(2009, 6, 19, 12), kJdTolerance);
  EXPECT_NEAR(request.departureJd, Jd(2009, 6, 18, 10, 15, 30), kJdTolerance);
  EXPECT_DOUBLE_EQ(request.latitudeDeg, 47.175);
  EXPECT_DOUBLE_EQ(request.longitudeDeg, -8.5);

  WaypointFields opened = InitialWaypointFields(kLyingStill);
  EXPECT_EQ(Shown(opened.arrival), "18/5/39 08:30:00");
  EXPECT_EQ(Shown(opened.departure), "18/5/39 08:30:00");
  SetCurrentDepartureDate(opened, Jd(2010, 2, 3, 18));
  EXPECT_EQ(Shown(opened.departure), "3/1/40 ::");
  EXPECT_EQ(Shown(opened.arrival), "18/5/39 08:30:00");
}

// The waypoint entered as degrees and minutes with its hemispheres.
std::function<void(WaypointFields&)> At(const char* latDeg, const char* latMin, bool south,
                                        const char* lonDeg, const char* lonMin, bool west) {
  return [=](WaypointFields& f) {
    f.latitudeDegrees = latDeg;
    f.latitudeMinutes = latMin;
    f.south = south;
    f.longitudeDegrees = lonDeg;
    f.longitudeMinutes = lonMin;
    f.west = west;
  };
}

TEST_F(WaypointTask, RefusesInTheDialogsOrder) {
  const std::string kArrivalEarly =
      "Arrival time at waypoint is earlier \nthan or equal to the departure time.\n";
  const std::string kNoGreatCircle =
      "The waypoint is at the departure position\nor at its antipode, where no great\n"
      "circle course is defined. Please enter\nanother waypoint.";
  struct Row {
    const char* what;
    std::function<void(WaypointFields&)> change;
    std::string message;  // empty: the bridge's own message, not checked here
    WaypointField field;
  };
  const Row rows[] = {
      {"no arrival month", [](WaypointFields& f) { f.arrival.monthIndex = kNoSelection; },
       "Please select a month.\n", WaypointField::kArrivalMonth},
      {"arrival hour 24", [](WaypointFields& f) { f.arrival.hour = "24"; }, IntegerRangeText(0, 23),
       WaypointField::kArrivalHour},
      // Checked before the departure group's broken minute.
      {"latitude 80",
       [](WaypointFields& f) {
         f.latitudeDegrees = "80";
         f.departure.minute = "x";
       },
       IntegerRangeText(0, 79), WaypointField::kLatitudeDegrees},
      {"longitude 180 0.1",
       [](WaypointFields& f) {
         f.longitudeDegrees = "180";
         f.longitudeMinutes = "0.1";
       },
       "The longitude must be less than\nor equal to 180 degrees.",
       WaypointField::kLongitudeDegrees},
      {"departure second", [](WaypointFields& f) { f.departure.second = "6x"; },
       kIntegerExpectedText, WaypointField::kDepartureSecond},
      {"departure at the reference",
       [](WaypointFields& f) { f.departure = {18, 5, k2009, "08", "30", "00"}; }, "",
       WaypointField::kArrivalDay},
      {"arrival at the departure", [](WaypointFields& f) { f.arrival = f.departure; },
       kArrivalEarly, WaypointField::kArrivalDay},
      {"at the departure position", At("49", "30.0", false, "4", "15.0", true), kNoGreatCircle,
       WaypointField::kLatitudeDegrees},
      {"at its antipode", At("49", "30.0", true, "175", "45.0", false), kNoGreatCircle,
       WaypointField::kLatitudeDegrees},
  };
  for (const Row& row : rows) {
    WaypointFields fields = ValidFields();
    row.change(fields);
    RecordingNotice told;
    ReferenceState state;
    WaypointRequest request;
    WaypointField field = WaypointField::kDepartureSecond;
    EXPECT_FALSE(
        AcceptWaypointDialog(told, places.ephemeris, state, kLyingStill, fields, request, field))
        << row.what;
    ASSERT_EQ(told.shown.size(), 1u) << row.what;
    if (!row.message.empty()) {
      EXPECT_EQ(told.shown[0].text, row.message) << row.what;
    }
    EXPECT_EQ(field, row.field) << row.what;
  }
}

// The voyage log holding `reference` alone; the report's course runs on it.
class WaypointReport : public testing::AlmanacTaskFixture {
 protected:
  TaskOutcome Run(const PositionRecord& reference, const WaypointRequest& request) {
    testing::TemporaryDirectory directory;
    EventLog events;
    EXPECT_EQ(SetEventLogDirectory(events, (directory.path() + "/").c_str()), kStatusOk);
    static_cast<void>(OpenEventLog(events));
    EXPECT_EQ(AppendPositionEntry(events, reference), kStatusOk);
    return RunWaypoint(context, events, request);
  }
};

TEST_F(WaypointReport, AntipodeGivesAMessageAndNoReport) {
  const WaypointRequest request{kLyingStill.time + kHour, kLyingStill.time + 30.0,
                                -kLyingStill.latitude, kLyingStill.longitude + 180.0};
  EXPECT_EQ(Run(kLyingStill, request), TaskOutcome::kStopped);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_NE(notice.shown[0].text.find("antipode"), std::string::npos);
  EXPECT_EQ(sink.text, "");
}

TEST_F(WaypointReport, MatchesGoldenFiles) {
  const double t = Jd(2009, 6, 18, 8, 30);
  const PositionRecord drifting = MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, t,
                                                     -0.02, -0.5, 200.0, 8.5, 90.0, 1.5);
  const PositionRecord northing =
      MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, t, 0.0, 0.0, 359.96, 6.0, 0, 0);
  const PositionRecord lying = MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, t, 49.4,
                                                  -4.25, 90.0, 0.0, 0.0, 0.0);
  const PositionRecord steaming = MakePositionRecord(kMotionGreatCircle, kPositionCelestialFix, t,
                                                     49.5, -4.25, 250.0, 14.2, 0.0, 0.0);
  struct Case {
    const char* file;
    PositionRecord reference;
    WaypointRequest request;  // departure, arrival, latitude, longitude
  } cases[] = {
      // Due east: rhumb line 090.0, great circle poleward of it.
      {"due_east.txt", lying, {t + 2.0 * kHour, t + 2.0, 49.4, 2.0}},
      // 400 NM of great circle: the "007" degrees warning.
      {"distance_warning.txt", steaming, {t, t + 1.5, 45.0, -11.2}},
      // One minute to a far waypoint: 50.0+ on both routes.
      {"speed_warning.txt", steaming, {t + kHour, t + kHour + kMinute, 49.0, -6.0}},
      // Courses of 359.96 print as 000.0, the equator without a letter.
      {"course_000.txt", northing, {t, t + 4.0, 10.0, -0.4 / 60.0}},
      // Every cap and both warnings: 25 lines, south and west of the equator.
      {"every_warning.txt", drifting, {t + 3.0 * kHour, t + 5.0, 60.0, 150.0}},
  };
  const bool update = std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr;
  for (const Case& c : cases) {
    sink.text.clear();
    ASSERT_EQ(Run(c.reference, c.request), TaskOutcome::kCompleted) << c.file;
    EXPECT_TRUE(notice.shown.empty()) << c.file;
    const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/waypoint/" + c.file;
    if (update) {
      std::ofstream(path, std::ios::binary) << sink.text;
      continue;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing " << path;
    std::ostringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(sink.text, golden.str()) << c.file;
  }
}

}  // namespace
}  // namespace navora
