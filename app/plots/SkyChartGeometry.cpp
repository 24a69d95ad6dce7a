#include "app/plots/SkyChartGeometry.h"

#include <cmath>
#include <cstdio>

#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kZenithToHorizonDeg = 90.0;
constexpr double kNewMoonBelow = 0.067;
constexpr double kFullMoonAbove = 0.933;
constexpr double kStarSizeLimits[] = {0.5, 1.5, 2.0};  // magnitudes

struct ExactPoint {
  double x = 0.0;
  double y = 0.0;
};

// The unrounded place; beyond the circle, on its azimuth at R + outside.
ExactPoint Project(const HorizonCircle& circle, double zenithDistance, double azimuth) {
  double r = zenithDistance / kZenithToHorizonDeg * circle.radius;
  if (r > circle.radius) r = circle.radius + circle.outside;
  const double a = DegreesToRadians(azimuth);
  return {r * std::sin(a), r * std::cos(a)};
}

std::string Printed(const char* format, auto... values) {
  char text[48];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// `value` with its hemisphere letter, or the zero text alone.
std::string WithHemisphere(double angle, const char* format, const char* zero, char positive,
                           char negative) {
  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  if (SplitDegreesMinutes(angle, 1, sign, degrees, minutes) != kStatusOk || sign == ' ') {
    return zero;
  }
  return Printed(format, degrees, minutes) + ' ' + (sign == '-' ? negative : positive);
}

}  // namespace

ChartPixel ProjectToChart(const HorizonCircle& circle, double zenithDistance, double azimuth) {
  const ExactPoint p = Project(circle, zenithDistance, azimuth);
  // lround rounds halves away from zero.
  return {circle.cx + static_cast<int>(std::lround(p.x)),
          circle.cy - static_cast<int>(std::lround(p.y))};
}

double MoonLightDirection(const HorizonCircle& circle, const SkyChartLuminary& moon) {
  const ExactPoint centre = Project(circle, moon.zenithDistance, moon.azimuth);
  const ExactPoint light = Project(circle, moon.lightZenithDistance, moon.lightAzimuth);
  const double dx = light.x - centre.x, dy = light.y - centre.y;  // y up, as the page's north
  if (dx == 0.0 && dy == 0.0) return 0.0;
  const double direction = RadiansToDegrees(std::atan2(dy, dx));
  return direction == -180.0 ? 180.0 : direction;
}

MoonPhase MoonPhaseOf(double illuminatedFraction) {
  if (illuminatedFraction < kNewMoonBelow) return MoonPhase::kNew;
  if (illuminatedFraction > kFullMoonAbove) return MoonPhase::kFull;
  return MoonPhase::kPartial;
}

int StarSizeStep(double magnitude) {
  int step = 0;
  for (const double limit : kStarSizeLimits) {
    if (magnitude < limit) return step;
    ++step;
  }
  return step;
}

std::string AltitudeLabel(double zenithDistance, bool star) {
  const double altitude = kZenithToHorizonDeg - zenithDistance;
  return star ? Printed("%02.0f", altitude)
              : Printed("%02d", static_cast<int>(std::lround(altitude)));
}

std::string AzimuthLabel(double azimuth) {
  constexpr long kFullCircle = 360;
  const long rounded = ((std::lround(azimuth) % kFullCircle) + kFullCircle) % kFullCircle;
  return Printed("%03d", static_cast<int>(rounded));
}

std::string ChartDateText(double planningTime) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(planningTime, 0, year, month, day, hour, minute, seconds, weekday);
  const char* name = MonthAbbreviation(month - 1);
  return Printed("%02d %3s %4d", day, name != nullptr ? name : "???", year);
}

std::string ChartTimeText(double planningTime) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(planningTime, 0, year, month, day, hour, minute, seconds, weekday);
  return Printed("%02d:%02d:%02d UTC", hour, minute, static_cast<int>(std::lround(seconds)));
}

std::string ChartLatitudeText(double latitude) {
  return WithHemisphere(latitude, " %02d\xB0 %04.1f'", " 00\xB0 00.0'", 'N', 'S');
}

std::string ChartLongitudeText(double longitude) {
  return WithHemisphere(WrapDegrees180(longitude), "%03d\xB0 %04.1f'", "000\xB0 00.0'", 'E', 'W');
}

}  // namespace navora
