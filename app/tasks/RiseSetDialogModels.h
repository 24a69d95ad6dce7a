#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/RiseSetCourse.h"
#include "engine/common/BodyId.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"

namespace navora {

// The two rise/set dialogs without their windows: the fields they open with,
// "Current Date", and OK's checks in the order the navigator meets them,
// ending in the request the course runs. Dates UTC, zones hours east of
// Greenwich, angles in degrees and minutes of arc, heights of eye in feet
// (or metres where the fixed-site dialog is told so), speeds in knots.

// The field a refused entry sends the navigator back to. A refused date or
// position (the voyage checks) returns to the day.
enum class RiseSetField {
  kDay,
  kMonth,
  kYear,
  kZoneHours,
  kZoneMinutes,
  kLatitudeDegrees,
  kLatitudeMinutes,
  kLongitudeDegrees,
  kLongitudeMinutes,
  kHeightOfEye,
  kRepetitions,
};

inline constexpr int kMaxRiseSetZoneHours = 14;
inline constexpr int kMaxRiseSetRepetitions = 99;
inline constexpr char kZoneTooLargeText[] =
    "The time zone must be less than\nor equal to 14 hours.";
inline constexpr char kEditReferenceQuestion[] = "Edit Reference Position?";
inline constexpr char kRiseSetReferenceCaption[] = "Rise/Set/Transit - Reference Position";

// The date list selections as in the almanac dialogs (index 0 is January /
// 1970, -1 none); every edit as typed.
struct RiseSetFixedFields {
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::string zoneHours, zoneMinutes;
  bool zoneWest = false;
  std::string latitudeDegrees, latitudeMinutes;
  bool south = false;
  std::string longitudeDegrees, longitudeMinutes;
  bool west = false;
  std::string heightOfEye;
  bool heightInMetres = false;
  BodyId body = kSun;
  std::string repetitions;
};

struct RiseSetUnderwayFields {
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::string zoneHours, zoneMinutes;
  bool zoneWest = false;
  std::string heightOfEye;  // feet
  BodyId body = kSun;
  PositionRecord reference;  // shown, not edited in place
};

// The fixed-site dialog opens on the date and position of `latest` (the
// voyage's latest position, or the default record), zone 0 h, height 0,
// the Sun, one day.
RiseSetFixedFields InitialRiseSetFixedFields(const PositionRecord& latest);

// The underway dialog opens on the date of `reference`, which it shows.
RiseSetUnderwayFields InitialRiseSetUnderwayFields(const PositionRecord& reference);

// "Current Date": the date of the UTC Julian date `nowJd`.
template <typename Fields>
void SetCurrentRiseSetDate(Fields& fields, double nowJd) {
  AlmanacDialogFields today;
  SetCurrentAlmanacDate(today, nowJd);
  fields.day = today.day;
  fields.monthIndex = today.monthIndex;
  fields.yearIndex = today.yearIndex;
}

// The reference position as the underway dialog shows it (Latin-1; the
// latitude and longitude carry the degree sign 0xB0).
struct RiseSetReferenceTexts {
  std::string type;       // PositionTypeName
  std::string date;       // "21 Jun 2024"
  std::string time;       // "04:00:00 UTC", seconds rounded, carried into the date
  std::string latitude;   // "N  49\xB030.0"
  std::string longitude;  // "W 004\xB015.0"
  std::string course;     // "245.0"
  std::string speed;      // "12.0"
};
RiseSetReferenceTexts DescribeRiseSetReference(const PositionRecord& reference);

// "Edit...": asks first; on Yes `enterFix` opens on the shown reference and
// what is entered becomes the reference, a user-defined position underway.
// True when the reference changed.
bool EditRiseSetReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference);

// Days a fixed-site table starting on `dateJd` (0 h UTC) in zone
// `zoneHours` can have before the supported range ends.
int RiseSetDayLimit(double dateJd, double zoneHours);

// OK of each dialog: checks the entries in order and shows the first
// failure's message, then the date and position against the ephemeris and,
// underway, against the reference (TaskCheckUnderway, its messages and the
// high-latitude note at most once). A fixed-site table that would pass the
// supported range asks whether to truncate it. True with the request (its
// UT1-UTC left 0 for the caller), or false with the field to return to.
bool AcceptRiseSetFixedDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                              const RiseSetFixedFields& fields, RiseSetFixedRequest& request,
                              RiseSetField& returnTo);
bool AcceptRiseSetUnderwayDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                                 const RiseSetUnderwayFields& fields,
                                 RiseSetUnderwayRequest& request, RiseSetField& returnTo);

}  // namespace navora
