#include "engine/horizon/AngleFormatting.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/common/Angles.h"

namespace navora {

namespace {

constexpr auto kWholeDegreesPerCircle = static_cast<int16_t>(kDegreesPerCircle);
// Decimals for which a printed minute value is compared against zero.
constexpr int16_t kMaxComparedDecimals = 8;
constexpr char kLatin1DegreeSign = '\xB0';

// True when minutes printed with the given decimals (0..kMaxComparedDecimals)
// read as zero. The formats are those of the reports: width decimals + 3.
bool PrintsAsZero(double minutes, int16_t decimals) {
  static constexpr const char* kMinuteFormats[kMaxComparedDecimals + 1] = {
      "%3.0f", "%4.1f", "%5.2f", "%6.3f", "%7.4f", "%8.5f", "%9.6f", "%10.7f", "%11.8f"};
  const char* format = kMinuteFormats[decimals];
  // Large enough for any double printed with %f, so nothing is ever cut.
  char printed[400];
  char zero[400];
  std::snprintf(printed, sizeof printed, format, minutes);
  std::snprintf(zero, sizeof zero, format, 0.0);
  return std::strcmp(printed, zero) == 0;
}

}  // namespace

EngineStatus SplitDegreesMinutes(double angleDeg, int16_t decimals, char& sign, int16_t& degrees,
                                 double& minutes) {
  sign = ' ';
  degrees = 0;
  minutes = 0.0;
  if (!std::isfinite(angleDeg)) return kStatusOutOfDomain;
  if (angleDeg == 0.0) return kStatusOk;
  sign = angleDeg > 0.0 ? '+' : '-';

  const double reduced = WrapDegrees360(std::fabs(angleDeg));
  const double whole = std::trunc(reduced);
  degrees = static_cast<int16_t>(whole);
  minutes = (reduced - whole) * kArcminutesPerDegree;

  // Half a unit of the last printed decimal: a value that would print as 60
  // minutes is carried into the degrees.
  const double halfLastDecimal = 5.0 * std::pow(10.0, -(decimals + 1.0));
  if (minutes + halfLastDecimal >= kArcminutesPerDegree) {
    minutes = 0.0;
    ++degrees;
  }
  if (degrees >= kWholeDegreesPerCircle) {
    degrees = static_cast<int16_t>(degrees - kWholeDegreesPerCircle);
  }

  if (decimals >= 0 && decimals <= kMaxComparedDecimals && degrees == 0 &&
      PrintsAsZero(minutes, decimals)) {
    sign = ' ';
  }
  return kStatusOk;
}

EngineStatus SplitAngleForDialog(double angleDeg, int16_t decimals, int16_t& negative,
                                 int16_t& degrees, double& minutes) {
  char sign = ' ';
  const EngineStatus status = SplitDegreesMinutes(angleDeg, decimals, sign, degrees, minutes);
  negative = sign == '-' ? 1 : 0;
  return status;
}

EngineStatus FormatLatLon(double angleDeg, uint16_t flags, char* text, size_t textSize) {
  if (text == nullptr || textSize == 0) return kStatusOutOfDomain;
  text[0] = '\0';

  const int16_t decimals = static_cast<int16_t>(flags & 0xFF);
  const bool isLatitude = (flags & kLatitudeFlag) != 0;
  if (isLatitude && !IsLatitude(angleDeg)) return kStatusOutOfDomain;

  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  const EngineStatus status = SplitDegreesMinutes(angleDeg, decimals, sign, degrees, minutes);
  if (status != kStatusOk) return status;

  char letter = ' ';
  if (sign == '+') letter = isLatitude ? 'N' : 'E';
  if (sign == '-') letter = isLatitude ? 'S' : 'W';

  // Two digits of whole minutes, then the point and the decimals; without
  // decimals there is no point, so the field is two wide.
  // Latitudes take two digits of degrees after two blanks, longitudes three
  // after one, so that both are equally wide.
  const int minuteWidth = decimals == 0 ? 2 : decimals + 3;
  std::snprintf(text, textSize, isLatitude ? "%c  %02d%c%0*.*f" : "%c %03d%c%0*.*f", letter,
                static_cast<int>(degrees), kLatin1DegreeSign, minuteWidth,
                static_cast<int>(decimals), minutes);
  return kStatusOk;
}

}  // namespace navora
