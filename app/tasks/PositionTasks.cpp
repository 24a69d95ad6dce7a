#include "app/tasks/PositionTasks.h"

#include <cmath>

#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/PositionBridge.h"
#include "app/tasks/FieldChecks.h"
#include "engine/position/DrChecks.h"
#include "engine/position/UpdateDr.h"

namespace navora {
namespace {

constexpr char kObservationsLost[] =
    "You have observations that will be\nlost if you enter a new course/speed.\nDo you want to "
    "continue?";
constexpr char kUpdateBeforeReference[] =
    "The time must be later than\nthe reference position time.";
constexpr char kNoMemory[] = "Insufficient memory available\n for this operation.";

// Legs the fix computation keeps; a new one pushes the first sights out.
constexpr int16_t kMaxLegsBeforeLoss = 4;
// Course (degrees) and speed (knots) closer than this to the reference's are the same.
constexpr double kSameCourseSpeed = 0.001;


std::vector<std::string> ReportText(const ReportLine* lines, int count) {
  return std::vector<std::string>(lines, lines + count);
}

// A refusal of the time goes back to the Day field.
bool CheckTimeAgainst(PositionTaskLogs& logs, const PositionRecord& reference, double time,
                      FixField& returnTo) {
  if (TaskCheckUnderway(logs.notice, logs.ephemeris, logs.state, reference, time,
                        kDrCheckRequireLaterTime, nullptr) != 0) {
    returnTo = FixField::kDay;
    return false;
  }
  return true;
}

// The index of the loaded leg that starts at `offset`, or -1.
int LegAt(const LegsAndSights& loaded, EventLogOffset offset) {
  for (int i = 0; i < loaded.legCount; ++i) {
    if (loaded.legOffsets[i] == offset) return i;
  }
  return -1;
}

// The fix or DR update at `offset` among those since the last fix.
int ReadLeg(EventLog& events, EventLogOffset offset, PositionRecord& leg) {
  LegsAndSights loaded;
  constexpr int kLoadedWithTooManySights = 5;  // the legs are still there
  const int status = TaskLoadLegsAndSights(events, loaded);
  if (status != 0 && status != kLoadedWithTooManySights) return status;
  const int index = LegAt(loaded, offset);
  if (index < 0) return kNoSuchLeg;
  leg = loaded.legs[index];
  return 0;
}

}  // namespace

UpdateDrFields InitialUpdateDrFields(const PositionRecord& reference) {
  const NewInitialFixFields fix = InitialNewInitialFixFields(reference);
  UpdateDrFields fields;
  fields.day = fix.day;
  fields.monthIndex = fix.monthIndex;
  fields.yearIndex = fix.yearIndex;
  fields.hour = fix.hour;
  fields.minute = fix.minute;
  fields.second = fix.second;
  fields.course = TenthsText(reference.course);
  fields.speed = TenthsText(reference.speed);
  return fields;
}

bool ConfirmNewLeg(Notice& notice, const LegsAndSights& loaded) {
  if (loaded.legCount < kMaxLegsBeforeLoss || loaded.sightCount == 0) return true;
  return notice.Show(kObservationsLost, kNoticeYesNoQuestion) == NoticeAnswer::kYes;
}

bool AcceptUpdateDr(PositionTaskLogs& logs, const PositionRecord& reference,
                    const UpdateDrFields& fields, UpdateDrPreview& preview, FixField& returnTo) {
  // The date, time, course and speed follow the fix dialog's rules; no
  // position is entered, so the position fields hold a valid zero.
  NewInitialFixFields checked;
  checked.day = fields.day;
  checked.monthIndex = fields.monthIndex;
  checked.yearIndex = fields.yearIndex;
  checked.hour = fields.hour;
  checked.minute = fields.minute;
  checked.second = fields.second;
  checked.latitudeDegrees = checked.longitudeDegrees = "0";
  checked.latitudeMinutes = checked.longitudeMinutes = "0";
  checked.course = fields.change ? fields.course : "0";
  checked.speed = fields.change ? fields.speed : "0";
  PositionRecord entered;
  if (!AcceptNewInitialFixDialog(logs.notice, checked, entered, returnTo) ||
      !CheckTimeAgainst(logs, reference, entered.time, returnTo)) {
    return false;
  }
  preview.reference = reference;
  preview.changed =
      fields.change && !(std::fabs(entered.course - reference.course) < kSameCourseSpeed &&
                         std::fabs(entered.speed - reference.speed) < kSameCourseSpeed);
  const double course = preview.changed ? entered.course : reference.course;
  const double speed = preview.changed ? entered.speed : reference.speed;
  ReportLine lines[kUpdateDrReportLines];
  if (ComputeUpdateDr(entered.time, course, speed, reference, preview.updated) != kStatusOk ||
      FormatUpdateDrReport(reference, preview.updated, lines) != kStatusOk) {
    logs.notice.Show(kUpdateBeforeReference, kNoticeOk);
    returnTo = FixField::kDay;
    return false;
  }
  preview.report = ReportText(lines, kUpdateDrReportLines);
  return true;
}

int SaveUpdateDr(PositionTaskLogs& logs, const UpdateDrPreview& preview,
                 std::vector<std::string>& written) {
  written.clear();
  if (preview.changed) {
    if (const int status = TaskAppendPositionEntry(logs.notice, logs.events, preview.updated)) {
      return status;
    }
  }
  constexpr bool kNotInitial = false;
  return TaskLogNewPosition(logs.notice, logs.text, preview.updated, kNotInitial, written);
}

bool AcceptExternalFix(PositionTaskLogs& logs, const NewInitialFixFields& fields,
                       ExternalFixPreview& preview, FixField& returnTo) {
  PositionRecord entered;
  if (!AcceptNewInitialFixDialog(logs.notice, fields, entered, returnTo)) return false;
  PositionRecord reference;
  PositionRecord lastFix;
  // A log that cannot be read is told by the bridge; no field is to blame.
  returnTo = FixField::kDay;
  if (TaskReadReferencePosition(logs.notice, logs.events, kLatestPosition, reference) != 0 ||
      !CheckTimeAgainst(logs, reference, entered.time, returnTo) ||
      TaskReadReferencePosition(logs.notice, logs.events, kLastFix, lastFix) != 0) {
    return false;
  }
  constexpr double kNoCurrent = 0.0;
  preview.fix =
      MakePositionRecord(kMotionNone, kPositionExternalFix, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, kNoCurrent, kNoCurrent);
  if (TaskComputeExternalFix(logs.notice, preview.fix, reference, lastFix, preview.result) != 0) {
    return false;
  }
  ReportLine lines[kMaxExternalFixReportLines];
  int count = 0;
  if (FormatExternalFixReport(preview.fix, lastFix, reference, preview.result, lines, count) !=
      kStatusOk) {
    logs.notice.Show(kNoMemory, kNoticeOk);
    return false;
  }
  preview.report = ReportText(lines, count);
  return true;
}

int SaveExternalFix(PositionTaskLogs& logs, const ExternalFixPreview& preview,
                    std::vector<std::string>& written) {
  written.clear();
  if (const int status = TaskAppendPositionEntry(logs.notice, logs.events, preview.fix)) {
    return status;
  }
  constexpr bool kNotInitial = false;
  return TaskLogNewPosition(logs.notice, logs.text, preview.fix, kNotInitial, written);
}

int CorrectPosition(PositionTaskLogs& logs, EventLogOffset offset, const PositionRecord& corrected,
                    std::vector<std::string>& written) {
  written.clear();
  PositionRecord before;
  if (const int status = ReadLeg(logs.events, offset, before)) return status;
  // The voyage's initial fix is loaded as a user-defined position; the log
  // holds it as the external fix it was entered as.
  const uint16_t storedType =
      before.positionType == kPositionUserDefined ? kPositionExternalFix : before.positionType;
  PositionRecord after = MakePositionRecord(
      before.motionMode, storedType, corrected.time, corrected.latitude, corrected.longitude,
      corrected.course, corrected.speed, before.set, before.drift);
  if (const int status = TaskCorrectPositionEntry(logs.notice, logs.events, offset, after)) {
    return status;
  }
  return TaskLogPositionCorrection(logs.notice, logs.text, before, after, written);
}

int DeletePosition(PositionTaskLogs& logs, EventLogOffset offset,
                   std::vector<std::string>& written) {
  written.clear();
  PositionRecord before;
  if (const int status = ReadLeg(logs.events, offset, before)) return status;
  if (const int status = TaskDeletePositionEntry(logs.notice, logs.events, offset)) return status;
  return TaskLogPositionDeletion(logs.notice, logs.text, before, written);
}

}  // namespace navora
