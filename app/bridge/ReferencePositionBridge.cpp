#include "app/bridge/ReferencePositionBridge.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "engine/common/BodyId.h"
#include "engine/log/NewInitialFix.h"
#include "engine/position/DrChecks.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr char kEnterFixQuestion[] =
    "The reference position does not exist.\n You must enter a fix to start.\n\n Enter a fix?";
constexpr char kEnterFixCaption[] = "Enter an External Fix.";
constexpr char kTimeTooEarlyFormat[] =
    "The time must be later than that for the\n reference position( %02d %3s %04d at %s )";
constexpr char kPolarRegion[] =
    "DR will advance position into\npolar region; polar navigation \nis not supported.";
constexpr char kLongitudeChange[] = "DR will advance position more\nthan 100 degrees in longitude.";
constexpr char kBeyondTenDays[] =
    "Input date is more than 10 days  \nafter the latest fix date. If this\nis a new voyage, "
    "select \n\n  New Initial Fix \n\nfrom the Task menu.";
constexpr char kFixedSite[] = "Observer is at a fixed site.";
constexpr char kHighLatitudeNote[] = "Accuracy of rise/set times decreases at high latitudes.";
// A damaged record must not be advanced as if it were a position.
constexpr char kPositionOutOfDomain[] =
    "The reference position is not a valid\nlatitude and longitude; check the\nvoyage log.";

constexpr EngineStatus kOpenEmpty = 2;
constexpr int kNoEphemeris = 7;

constexpr double kSecondsPerDay = 86400.0;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;

// The first fix of an empty log in both logs, as New Initial Fix records it.
bool LogFirstFix(Notice& notice, EventLog& events, TextLog& text, const PositionRecord& fix) {
  constexpr bool kInitialFix = true;
  std::vector<std::string> written;
  return TaskAppendPositionEntry(notice, events, fix) == kStatusOk &&
         TaskLogNewPosition(notice, text, fix, kInitialFix, written) == kStatusOk;
}

// The fixed message of a refusal that both kinds of check share; nullptr for
// the other statuses.
const char* CheckRefusalText(EngineStatus status) {
  switch (status) {
    case kDrEntersPolarRegion:
      return kPolarRegion;
    case kDrLongitudeChangeTooLarge:
      return kLongitudeChange;
    case kDrBeyondTenDays:
      return kBeyondTenDays;
    case kStatusOutOfDomain:
      return kPositionOutOfDomain;
    default:
      return nullptr;
  }
}

}  // namespace

// "dd Mon yyyy at hh:mm:ss" of jd, rounded to the second before the carries,
// so that a time a hair before a whole minute (as a logged 08:30:00 reads
// back) prints as that minute, never as "08:29:60".
std::string TimeTooEarlyMessage(double jd) {
  constexpr long kSecondsPerHour = static_cast<long>(kSecondsPerMinute * kMinutesPerHour);
  double dayStart = std::floor(jd + 0.5);
  long seconds = std::lround((jd + 0.5 - dayStart) * kSecondsPerDay);
  if (seconds >= static_cast<long>(kSecondsPerDay)) {
    seconds -= static_cast<long>(kSecondsPerDay);
    dayStart += 1.0;
  }
  const int hour = static_cast<int>(seconds / kSecondsPerHour);
  const int minute =
      static_cast<int>(seconds % kSecondsPerHour / static_cast<long>(kSecondsPerMinute));
  seconds %= static_cast<long>(kSecondsPerMinute);
  int16_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  JulianDayToCalendar(static_cast<int32_t>(dayStart), year, month, day);
  char time[40];
  std::snprintf(time, sizeof time, "%02d:%02d:%02ld", hour, minute, seconds);
  char text[sizeof kTimeTooEarlyFormat + sizeof time + 40];
  std::snprintf(text, sizeof text, kTimeTooEarlyFormat, day, MonthAbbreviation(month - 1), year,
                time);
  return text;
}

int TaskEnsureReferencePosition(Notice& notice, EventLog& events, TextLog& text, bool quiet,
                                const FixDialog& enterFix, ReferenceState& state) {
  const int opened = TaskOpenEventLog(notice, events);
  if (opened == kStatusOk) {
    PositionRecord reference;
    const int read = TaskReadReferencePosition(notice, events, kLatestPosition, reference);
    if (read != kStatusOk) return kReferenceReadFailed + read;
  } else if (opened == kOpenEmpty) {
    if (!quiet && notice.Show(kEnterFixQuestion, kNoticeYesNoQuestion) != NoticeAnswer::kYes) {
      return kReferenceFixDeclined;
    }
    PositionRecord entered;
    if (!enterFix(kEnterFixCaption, DefaultPositionRecord(), entered)) {
      return kReferenceFixCancelled;
    }
    const PositionRecord fix = MakeInitialFixRecord(
        entered.time, entered.latitude, entered.longitude, entered.course, entered.speed);
    if (!LogFirstFix(notice, events, text, fix)) {
      return kReferenceFixNotLogged;
    }
  } else {
    return opened;
  }
  state.referenceKnown = true;
  return kStatusOk;
}

int TaskCheckUnderway(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                      const PositionRecord& position, double jd, int16_t mode,
                      double* latitudeDeg) {
  if (CheckEphemerisForDate(notice, ephemeris, jd) != kStatusOk) {
    return kNoEphemeris;
  }
  const bool positionUpdate = mode < kSun;
  EngineStatus status = kStatusOk;
  if (positionUpdate) {
    status = CheckDrAdvance(mode, jd, position);
  } else {
    double tableStartJd = jd;
    double latitude = 0.0;
    status = CheckUnderwayAdvance(position, mode, tableStartJd, latitude);
    if (latitudeDeg != nullptr) {
      *latitudeDeg = latitude;
    }
  }
  if (status == kStatusOk) return kStatusOk;
  if (status == kDrTimeTooEarly) {
    notice.Show(TimeTooEarlyMessage(position.time), kNoticeOk);
    return status;
  }
  if (const char* text = CheckRefusalText(status)) {
    notice.Show(text, kNoticeOk);
    return status;
  }
  if (positionUpdate) {
    if (status == kDrNoMotion) notice.Show(kFixedSite, kNoticeOk);
    return status;
  }
  if (status != kDrSunHighLatitude && status != kDrMoonHighLatitude) return status;
  // The tables are still computed; the navigator is warned once.
  if (state.highLatitudeNoteDue) {
    state.highLatitudeNoteDue = false;
    notice.Show(kHighLatitudeNote, kNoticeOk);
  }
  return kStatusOk;
}

}  // namespace navora
