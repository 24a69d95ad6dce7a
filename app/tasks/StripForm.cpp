#include "app/tasks/StripForm.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "engine/common/Angles.h"
#include "engine/common/TextEncoding.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// Minutes of every angle, and the tenths the one-decimal fields round to.
constexpr int16_t kMinuteDecimals = 1;
constexpr double kTenthsPerUnit = 10.0;

// Whole-degree widths: altitudes and latitudes below 100, hour angles and
// longitudes up to 359.
constexpr int kNarrowDegrees = 2;
constexpr int kWideDegrees = 3;

// Room for any field: the widest is a five-digit year or a body name.
constexpr size_t kFieldBytes = 32;

// Hemisphere letters of a positive and a negative angle.
struct Hemispheres {
  char positive;
  char negative;
};
constexpr Hemispheres kNorthSouth{'N', 'S'};
constexpr Hemispheres kEastWest{'E', 'W'};

// The value rounded to the tenth it prints with, without a negative zero.
double RoundedToTenth(double value) {
  const double rounded = std::round(value * kTenthsPerUnit) / kTenthsPerUnit;
  return rounded == 0.0 ? 0.0 : rounded;
}

// `hemispheres` null: the angle has no letter and a negative one its minus.
StripFormAngle SplitAngle(double angleDeg, int width, const Hemispheres* hemispheres) {
  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  // A value that is not a number splits as zero, which is what it shows.
  (void)SplitDegreesMinutes(angleDeg, kMinuteDecimals, sign, degrees, minutes);

  char text[kFieldBytes];
  if (sign == ' ') {
    std::snprintf(text, sizeof text, "  %0*d\xB0", width, 0);
  } else if (hemispheres != nullptr) {
    const char letter = sign == '+' ? hemispheres->positive : hemispheres->negative;
    std::snprintf(text, sizeof text, "%c %0*d\xB0", letter, width, degrees);
  } else {
    std::snprintf(text, sizeof text, "%s%0*d\xB0", sign == '-' ? "-" : "", width, degrees);
  }
  StripFormAngle angle;
  angle.degrees = Latin1ToUtf8(text);
  std::snprintf(text, sizeof text, "%04.1f'", minutes);
  angle.minutes = text;
  return angle;
}

std::string ArcMinutes(const char* format, double minutes) {
  char text[kFieldBytes];
  std::snprintf(text, sizeof text, format, RoundedToTenth(minutes));
  return text;
}

void SetDateAndTime(double utcJd, StripForm& form) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(utcJd, 0, year, month, day, hour, minute, seconds, weekday);
  const char* monthName = MonthAbbreviation(month - 1);
  char text[kFieldBytes];
  std::snprintf(text, sizeof text, "%02d %3s %4d", day, monthName ? monthName : "", year);
  form.utcDate = text;
  std::snprintf(text, sizeof text, "%02d:%02d:%02.0f", hour, minute, seconds);
  form.time = text;
}

std::string Intercept(double hoDeg, double hcDeg) {
  const double minutes = (hoDeg - hcDeg) * kArcminutesPerDegree;
  char text[kFieldBytes];
  std::snprintf(text, sizeof text, "%.1f' %1s", std::fabs(minutes), minutes >= 0.0 ? "T" : "A");
  return text;
}

// 359.96 reads 000.0, not 360.0.
std::string Azimuth(double znDeg) {
  double rounded = RoundedToTenth(znDeg);
  if (rounded >= kDegreesPerCircle) rounded -= kDegreesPerCircle;
  char text[kFieldBytes];
  std::snprintf(text, sizeof text, "%05.1f", rounded);
  return text;
}

}  // namespace

bool BuildStripForm(const SightPlotState& state, int sightIndex, StripForm& form) {
  if (sightIndex < 0 || sightIndex >= state.nSights || sightIndex >= kMaxSights) return false;
  const ReducedObservation& r = state.reduced[static_cast<size_t>(sightIndex)];

  StripForm f;
  f.lopId = std::string(1, static_cast<char>('A' + sightIndex));
  f.leg = std::to_string(r.legIndex + 1);
  SetDateAndTime(r.time, f);
  f.body = Latin1ToUtf8(r.bodyName);

  const double indexCorrectionMinutes = (r.ho - r.hs) * kArcminutesPerDegree + r.dip + r.refraction;
  f.indexCorrection = ArcMinutes("%+04.1f'", indexCorrectionMinutes);
  f.dip = ArcMinutes("%04.1f'", r.dip);
  f.refraction = ArcMinutes("%04.1f'", r.refraction);

  f.hs = SplitAngle(r.hs, kNarrowDegrees, nullptr);
  f.estimatedLatitude = SplitAngle(r.drLatitude, kNarrowDegrees, &kNorthSouth);
  f.estimatedLongitude = SplitAngle(r.drLongitude, kWideDegrees, &kEastWest);
  f.lha = SplitAngle(HoursToDegrees(r.lha), kWideDegrees, nullptr);
  f.dec = SplitAngle(r.dec, kNarrowDegrees, &kNorthSouth);
  f.hc = SplitAngle(r.hc, kNarrowDegrees, nullptr);
  f.ho = SplitAngle(r.ho, kNarrowDegrees, nullptr);
  f.intercept = Intercept(r.ho, r.hc);
  f.azimuth = Azimuth(r.zn);
  form = std::move(f);
  return true;
}

std::vector<StripFormRow> StripFormRows(const StripForm& form) {
  return {
      {"LOP ID:", form.lopId, {}},
      {"Leg #:", form.leg, {}},
      {"UTC Date:", form.utcDate, {}},
      {"    Time:", form.time, {}},
      {"Body:", form.body, {}},
      {"IC:", form.indexCorrection, {}},
      {"Dip:", form.dip, {}},
      {"Refraction:", form.refraction, {}},
      {"hs:", form.hs.degrees, form.hs.minutes},
      {"Est. Lat:", form.estimatedLatitude.degrees, form.estimatedLatitude.minutes},
      {"Est. Lon:", form.estimatedLongitude.degrees, form.estimatedLongitude.minutes},
      {"LHA:", form.lha.degrees, form.lha.minutes},
      {"Dec:", form.dec.degrees, form.dec.minutes},
      {"Hc:", form.hc.degrees, form.hc.minutes},
      {"Ho:", form.ho.degrees, form.ho.minutes},
      {"a:", form.intercept, {}},
      {"Zn:", form.azimuth, {}},
  };
}

}  // namespace navora
