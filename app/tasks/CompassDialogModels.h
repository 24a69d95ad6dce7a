#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/CompassCourse.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"

namespace navora {

// The two gyro/compass error dialogs without their windows: the fields they
// open with, "Current Date", the planning dialog's reference position and
// its "Edit...", and OK's checks in order, ending in the request the course
// runs. Dates and times UTC; bearings and headings in degrees 0.0..359.9;
// UT1-UTC in seconds -0.9..0.9. The reference position is shown with
// DescribeRiseSetReference (RiseSetDialogModels.h), as the rise/set dialog
// shows it.

// The field a refused entry sends the navigator back to. A refused instant
// (the voyage check) returns to the day.
enum class CompassField {
  kDay,
  kMonth,
  kYear,
  kHour,
  kMinute,
  kSecond,
  kAzimuth,
  kBearing,
  kHeading,
  kBody,
  kUt1MinusUtc,
};

inline constexpr char kCompassReferenceCaption[] = "Gyro/Compass Error - Reference Position";
inline constexpr double kMaxCompassBearing = 359.9;

// The determination's body list: the Sun, the Moon, the four planets and the
// 58 stars, the first entries of the observation dialogs' list.
inline constexpr int kCompassBodyCount = 64;
// The list entry's name ("Sun", "Alpheratz"); nullptr outside the list.
const char* CompassBodyName(int bodyIndex);
// The body code (a BodyId, or kCompassStarBody) and star number of an entry;
// false outside the list.
bool CompassBodyOfIndex(int bodyIndex, BodyId& body, int16_t& starNumber);

// Date list selections as in the almanac dialogs (index 0 is January /
// 1970, kNoSelection none); time edits as typed, "%02d" when shown.
struct CompassPlanningFields {
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::string hour, minute;
  PositionRecord reference;  // shown; changed by "Edit..."
};

struct CompassErrorFields {
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::string hour, minute, second;
  bool relative = false;  // "Relative Bearing" chosen rather than "Azimuth"
  std::string azimuth;    // "Azimuth"
  std::string bearing;    // "Bearing:"
  std::string heading;    // "Heading:"
  int bodyIndex = 0;      // into the body list; the Sun
  std::string ut1MinusUtc;
};

// The planning dialog opens on the reference's date and time, which it shows.
CompassPlanningFields InitialCompassPlanningFields(const PositionRecord& reference);
// The determination opens on `timeUtc` (the reference's time), the Sun, an
// empty bearing, and `ut1MinusUtc` (the latest sight's) as "+0.0".
CompassErrorFields InitialCompassErrorFields(double timeUtc, double ut1MinusUtc);

// "Current Date": the date and time of the UTC Julian date `nowJd`.
void SetCurrentCompassDate(CompassPlanningFields& fields, double nowJd);
void SetCurrentCompassDate(CompassErrorFields& fields, double nowJd);

// "Edit...": asks first; on Yes `enterFix` opens on the shown reference and
// what is entered becomes the reference, an external fix moving by rhumb
// line. True when the reference changed.
bool EditCompassReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference);

// OK of the planning dialog: date, hour, minute, then the instant against
// the ephemeris and the reference (CheckCompassInstant); a refusal keeps the
// dialog open. True with the request (height and UT1-UTC left for
// ApplyLatestSightConditions), or false with the field to return to.
bool AcceptCompassPlanningDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                                 const CompassPlanningFields& fields,
                                 CompassPlanningRequest& request, CompassField& returnTo);

// OK of the determination: date, hour, minute, second, the azimuth (or the
// bearing and the heading), the body, UT1-UTC. `reference` is the voyage's
// reference position. True with the request (height left for
// ApplyLatestSightConditions), or false with the field to return to.
bool AcceptCompassErrorDialog(Notice& notice, const CompassErrorFields& fields,
                              const PositionRecord& reference, CompassErrorRequest& request,
                              CompassField& returnTo);

}  // namespace navora
