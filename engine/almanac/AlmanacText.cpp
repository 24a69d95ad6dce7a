#include "engine/almanac/AlmanacText.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "engine/horizon/BodyPhysics.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr int16_t kMinuteDecimals = 1;

}  // namespace

EngineStatus SplitAlmanacAngle(double angleDeg, AlmanacAngle& angle) {
  angle = AlmanacAngle{' ', 0, 0.0};
  return SplitDegreesMinutes(angleDeg, kMinuteDecimals, angle.sign, angle.degrees, angle.minutes);
}

char DeclinationLetter(const AlmanacAngle& declination) {
  if (declination.sign == '+') return 'N';
  if (declination.sign == '-') return 'S';
  return ' ';
}

AlmanacTime SplitAlmanacTime(double jd, bool withSeconds) {
  AlmanacTime time{};
  if (withSeconds) {
    double seconds = 0.0;
    SplitJulianToSeconds(jd, 0, time.year, time.month, time.day, time.hour, time.minute, seconds,
                         time.weekday);
    time.second = static_cast<int16_t>(std::trunc(seconds + 0.5));
  } else {
    SplitJulianToMinuteWeekday(jd, time.year, time.month, time.day, time.hour, time.minute,
                               time.weekday);
  }
  return time;
}

void FormatMagnitudeText(double magnitude, MagnitudeText& text) {
  if (magnitude == kNoMagnitude) {
    std::snprintf(text, sizeof text, "%s", "    ");
  } else {
    std::snprintf(text, sizeof text, "%+2.1f", magnitude);
  }
}

void FormatAlmanacLine(AlmanacLine& line, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
}

}  // namespace navora
