#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/almanac/AlmanacLine.h"
#include "engine/common/EngineStatus.h"
#include "engine/horizon/AngleFormatting.h"

namespace navora {

// Marks of the almanac tables, taken from the report symbols.
inline constexpr char kAlmanacDegreeMark = kReportSymbols[0];
inline constexpr char kAlmanacMinuteMark = kReportSymbols[1];
inline constexpr char kAlmanacColumnSeparator = kReportSymbols[3];

// An angle as the tables print it: degrees and minutes rounded to 0.1', with
// the sign of a value that does not print as zero. The rounding adds up to
// 0.05' to the error of the computed angle.
struct AlmanacAngle {
  char sign;  // '+', '-' or ' '
  int16_t degrees;
  double minutes;
};

// Status 0, or kStatusOutOfDomain (the angle zero) for a value that is not
// a finite angle.
[[nodiscard]] EngineStatus SplitAlmanacAngle(double angleDeg, AlmanacAngle& angle);

// SplitAlmanacAngle of each value in turn; false when one is refused.
template <size_t N>
[[nodiscard]] bool SplitAlmanacAngles(const double (&anglesDeg)[N], AlmanacAngle (&angles)[N]) {
  for (size_t k = 0; k < N; ++k) {
    if (SplitAlmanacAngle(anglesDeg[k], angles[k]) != kStatusOk) return false;
  }
  return true;
}

// "N" for a northern declination, "S" for a southern one, a blank for one
// that prints as zero.
char DeclinationLetter(const AlmanacAngle& declination);

// Time of day of a row or heading to the second (seconds rounded, carried
// into the minute) or to the minute, with the date it falls on.
struct AlmanacTime {
  int16_t year;
  int16_t month;
  int16_t day;
  int16_t hour;
  int16_t minute;
  int16_t second;
  char weekday[4];
};

AlmanacTime SplitAlmanacTime(double jd, bool withSeconds);

// A magnitude as the planets heading prints it ("%+2.1f"), or four blanks
// when there is none (kNoMagnitude).
using MagnitudeText = char[8];
void FormatMagnitudeText(double magnitude, MagnitudeText& text);

// printf into a table line, cut at the line's size; the lines are fixed
// layouts of at most 78 characters.
[[gnu::format(printf, 2, 3)]] void FormatAlmanacLine(AlmanacLine& line, const char* format, ...);

}  // namespace navora
