#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tasks/PositionTasks.h"
#include "engine/time/Calendar.h"
#include "tests/app/tasks/TaskVoyage.h"

namespace navora {
namespace {

const double kStart = CalendarToJulian(2024, 4, 1, 12, 0, 30.0);

class Voyage : public testing::TaskVoyage {
 public:
  Voyage(double latitude, double longitude, double course, double speed)
      : TaskVoyage(kStart, latitude, longitude, course, speed) {}

  PositionRecord Reference() {
    PositionRecord reference;
    EXPECT_EQ(ReadReferencePosition(events, kLatestPosition, reference), kStatusOk);
    return reference;
  }

  // The dialog at `time`, with "Change ?" set when a course is given.
  UpdateDrFields UpdateAt(double time, const char* course = nullptr, const char* speed = nullptr) {
    PositionRecord at = Reference();
    at.time = time;
    UpdateDrFields fields = InitialUpdateDrFields(at);
    fields.change = course != nullptr;
    if (course != nullptr) fields.course = course;
    if (speed != nullptr) fields.speed = speed;
    return fields;
  }

  size_t EventCount() { return Entries().size(); }

  PositionTaskLogs Logs() { return {notice, events, text, places.ephemeris, state}; }
};

std::string StartOf(const std::vector<RecordingNotice::Shown>& shown) {
  return shown.empty() ? "" : shown.front().text;
}

TEST(UpdateDrTask, RefusalsGoBackToTheirFieldAndLogNothing) {
  struct Case {
    const char* name;
    double latitude, course, speed;  // of the voyage's first fix
    double days;                     // after it
    const char* newCourse;           // nullptr: "Change ?" clear
    FixField field;
    const char* told;  // the start of the notice
  };
  const Case cases[] = {
      {"at the reference time", 49.5, 90, 6, 0, nullptr, FixField::kDay,
       "The time must be later than that for the\n reference position( 01 Apr 2024 at 12:00:30 )"},
      {"ten days and a second", 49.5, 90, 6, 10 + 1.0 / 86400, nullptr, FixField::kDay,
       "Input date is more than 10 days"},
      {"course out of range", 49.5, 90, 6, 1, "360", FixField::kCourse, "Please enter"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Voyage voyage(c.latitude, -4.25, c.course, c.speed);
    const size_t events = voyage.EventCount();
    const size_t lines = voyage.TextLines().size();
    PositionTaskLogs logs = voyage.Logs();
    UpdateDrPreview preview;
    FixField field = FixField::kSpeed;
    EXPECT_FALSE(AcceptUpdateDr(logs, voyage.Reference(),
                                voyage.UpdateAt(kStart + c.days, c.newCourse, "6"), preview,
                                field));
    EXPECT_EQ(field, c.field);
    EXPECT_EQ(StartOf(voyage.notice.shown).rfind(c.told, 0), 0u) << StartOf(voyage.notice.shown);
    EXPECT_EQ(voyage.EventCount(), events);
    EXPECT_EQ(voyage.TextLines().size(), lines);
  }
  // Ten days to the second is still an update.
  Voyage voyage(49.5, -4.25, 90, 6);
  PositionTaskLogs logs = voyage.Logs();
  UpdateDrPreview preview;
  FixField field = FixField::kSpeed;
  EXPECT_TRUE(
      AcceptUpdateDr(logs, voyage.Reference(), voyage.UpdateAt(kStart + 10), preview, field));
}

// "Change ?" with the same course and speed is no change: only the text log
// hears of it. A new course is a new leg in both logs.
TEST(UpdateDrTask, OnlyAChangeOfCourseOrSpeedStartsALeg) {
  Voyage voyage(49.5, -4.25, 90, 6);
  PositionTaskLogs logs = voyage.Logs();
  struct Step {
    double hours;
    const char *course, *speed;
    bool changed;
  };
  size_t events = voyage.EventCount();
  for (const Step& step : {Step{2, "90.0", "6.0", false}, Step{4, nullptr, nullptr, false},
                           Step{6, "90.0", "7.5", true}}) {
    UpdateDrPreview preview;
    FixField field = FixField::kDay;
    ASSERT_TRUE(AcceptUpdateDr(logs, voyage.Reference(),
                               voyage.UpdateAt(kStart + step.hours / 24, step.course, step.speed),
                               preview, field))
        << StartOf(voyage.notice.shown);
    EXPECT_EQ(preview.changed, step.changed);
    ASSERT_EQ(preview.report.size(), 14u);
    std::vector<std::string> written;
    ASSERT_EQ(SaveUpdateDr(logs, preview, written), 0);
    EXPECT_EQ(written.front(), "                                  DR UPDATE");
    events += step.changed ? 1 : 0;
    EXPECT_EQ(voyage.EventCount(), events);
  }
  EXPECT_EQ(voyage.Reference().speed, 7.5);
}

TEST(ExternalFixTask, ComputesReportsAndLogsTheFix) {
  Voyage voyage(49.5, -4.25, 235, 6.5);
  PositionTaskLogs logs = voyage.Logs();
  PositionRecord at = voyage.Reference();
  at.time = kStart + 0.25;
  at.latitude = 49.1;
  at.longitude = -4.95;
  NewInitialFixFields fields = InitialNewInitialFixFields(at);
  ExternalFixPreview preview;
  FixField field = FixField::kDay;
  ASSERT_TRUE(AcceptExternalFix(logs, fields, preview, field)) << StartOf(voyage.notice.shown);
  EXPECT_EQ(preview.fix.positionType, kPositionExternalFix);
  EXPECT_EQ(preview.report.size(), 17u);
  EXPECT_EQ(preview.report[15], "                      Set: 110.2     Drift: 00.8 kn  ");
  std::vector<std::string> written;
  ASSERT_EQ(SaveExternalFix(logs, preview, written), 0);
  EXPECT_EQ(written.front(), "                                 EXTERNAL FIX");
  PositionRecord lastFix;
  ASSERT_EQ(ReadReferencePosition(voyage.events, kLastFix, lastFix), kStatusOk);
  EXPECT_EQ(lastFix.time, preview.fix.time);

  // Before the new reference; then a latitude of 80 cannot be entered.
  fields = InitialNewInitialFixFields(at);
  fields.hour = "17";
  EXPECT_FALSE(AcceptExternalFix(logs, fields, preview, field));
  EXPECT_EQ(field, FixField::kDay);
  fields = InitialNewInitialFixFields(at);
  fields.day += 1;
  fields.latitudeDegrees = "80";
  EXPECT_FALSE(AcceptExternalFix(logs, fields, preview, field));
  EXPECT_EQ(field, FixField::kLatitudeDegrees);
  EXPECT_EQ(voyage.EventCount(), 2u);
}

TEST(ConfirmNewLeg, AsksOnlyWhenObservationsWouldBeLost) {
  LegsAndSights loaded;
  RecordingNotice notice;
  notice.answers = {NoticeAnswer::kNo};
  loaded.legCount = 3;
  loaded.sightCount = 5;
  EXPECT_TRUE(ConfirmNewLeg(notice, loaded));
  loaded.legCount = 4;
  loaded.sightCount = 0;
  EXPECT_TRUE(ConfirmNewLeg(notice, loaded));
  EXPECT_TRUE(notice.shown.empty());
  loaded.sightCount = 1;
  EXPECT_FALSE(ConfirmNewLeg(notice, loaded));
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].style, kNoticeYesNoQuestion);
}

}  // namespace
}  // namespace navora
