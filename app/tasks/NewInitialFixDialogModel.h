#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"

namespace navora {

// The New Initial Fix dialog without its window: the fields it opens with,
// "Current Date", and OK's checks in the order the navigator meets them.
// Angles in degrees and minutes of arc, time UTC, speed in knots.

// The field a refused entry sends the navigator back to.
enum class FixField {
  kDay,
  kMonth,
  kYear,
  kHour,
  kMinute,
  kSecond,
  kLatitudeDegrees,
  kLatitudeMinutes,
  kLongitudeDegrees,
  kLongitudeMinutes,
  kCourse,
  kSpeed,
};

// The dialog's entries: the day from its spin, list selections as in the
// almanac dialogs (index 0 is January / 1970, -1 none), every edit as typed.
struct NewInitialFixFields {
  int day = 1;
  int monthIndex = -1;
  int yearIndex = -1;
  std::string hour, minute, second;
  std::string latitudeDegrees, latitudeMinutes;
  bool south = false;
  std::string longitudeDegrees, longitudeMinutes;
  bool west = false;
  std::string course, speed;
};

// The latest position of the voyage log (fix or DR update), or
// DefaultPositionRecord when the log holds none or cannot be read.
PositionRecord LatestPositionOrDefault(EventLog& events);

// The fields showing `start`: its date and time to the second, its position
// to a tenth of a minute, course and speed to a tenth. A year outside the
// list leaves the year unselected.
NewInitialFixFields InitialNewInitialFixFields(const PositionRecord& start);

// "Current Date": the date of the UTC Julian date `nowJd`, time edits emptied.
void SetCurrentFixDate(NewInitialFixFields& fields, double nowJd);

// OK: checks the entries in the dialog's order, showing the first failure's
// message. Empty time edits read as in DialogFieldsToJulian (an empty hour
// is 0h and clears the minute and second). Returns true with the
// initial fix (MakeInitialFixRecord; south and west negative), or false with
// the field to return to.
bool AcceptNewInitialFixDialog(Notice& notice, const NewInitialFixFields& fields,
                               PositionRecord& fix, FixField& returnTo);

}  // namespace navora
