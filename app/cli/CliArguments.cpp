#include "app/cli/CliArguments.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/common/Angles.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr int kMinYear = 1000;
constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;
constexpr long long kTenthsPerDegree = 600;  // tenths of a minute of arc
constexpr size_t kFormattedBytes = 64;       // room for any int16 field the compiler can imagine

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of exactly `width` digits at `at`, as a number.
bool FixedDigits(std::string_view text, size_t at, size_t width, int& value) {
  if (text.size() < at + width) {
    return false;
  }
  value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (!IsDigit(text[i])) {
      return false;
    }
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// "[+-]digits[.digits]": the whole text, nothing else (no exponent, no
// "inf" or "nan", which strtod alone would take).
bool Decimal(std::string_view text, bool allowSign, double& value) {
  size_t i = 0;
  if (allowSign && i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0 || i != text.size()) {
    return false;
  }
  value = std::strtod(std::string(text).c_str(), nullptr);
  return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// "DDhMM.m": whole degrees, the hemisphere letter (`plus` or `minus`) and
// decimal minutes, at most `limit` degrees in all.
bool Sexagesimal(std::string_view text, char plus, char minus, double limit, double& degrees,
                 std::string& error) {
  const size_t letter = text.find_first_of(std::string{plus, minus});
  double whole = 0.0;
  double minutes = 0.0;
  if (letter == 0 || !Decimal(text.substr(0, letter), false, whole) ||
      text.substr(0, letter).find('.') != std::string_view::npos ||
      !Decimal(text.substr(letter + 1), false, minutes)) {
    error = std::string("expected degrees, ") + plus + " or " + minus + ", decimal minutes";
    return false;
  }
  if (minutes >= kArcminutesPerDegree) {
    error = "minutes must be below 60";
    return false;
  }
  const double value = whole + minutes / kArcminutesPerDegree;
  if (value > limit) {
    error = "must be at most " + std::to_string(static_cast<int>(limit)) + " degrees";
    return false;
  }
  degrees = text[letter] == minus ? -value : value;
  return true;
}

bool Angle(std::string_view text, char plus, char minus, double limit, double& degrees,
           std::string& error) {
  if (text.find_first_of(std::string{plus, minus}) != std::string_view::npos) {
    return Sexagesimal(text, plus, minus, limit, degrees, error);
  }
  return ParseNumber(text, -limit, limit, degrees, error);
}

// Degrees and tenths of minutes with the carry of the rounding.
std::string FormatAngle(double degrees, const char* format, char plus, char minus) {
  const long long tenths = std::llround(std::fabs(degrees) * kTenthsPerDegree);
  char text[kFormattedBytes];
  std::snprintf(text, sizeof text, format, tenths / kTenthsPerDegree,
                degrees < 0.0 && tenths != 0 ? minus : plus,
                static_cast<double>(tenths % kTenthsPerDegree) / 10.0);
  return text;
}

}  // namespace

bool ParseUtcTime(std::string_view text, double& julianDate, std::string& error) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  const bool shaped = (text.size() == 16 || text.size() == 19) && FixedDigits(text, 0, 4, year) &&
                      text[4] == '-' && FixedDigits(text, 5, 2, month) && text[7] == '-' &&
                      FixedDigits(text, 8, 2, day) && text[10] == 'T' &&
                      FixedDigits(text, 11, 2, hour) && text[13] == ':' &&
                      FixedDigits(text, 14, 2, minute) &&
                      (text.size() == 16 || (text[16] == ':' && FixedDigits(text, 17, 2, second)));
  if (!shaped) {
    error = "expected YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS (UTC)";
    return false;
  }
  if (year < kMinYear || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour >= kHoursPerDay || minute >= kMinutesPerHour || second >= kSecondsPerMinute) {
    error = "no such date and time";
    return false;
  }
  julianDate = CalendarToJulian(static_cast<int16_t>(year), static_cast<int16_t>(month),
                                static_cast<int16_t>(day), static_cast<int16_t>(hour),
                                static_cast<int16_t>(minute), second);
  return true;
}

bool ParseLatitude(std::string_view text, double& degrees, std::string& error) {
  return Angle(text, 'N', 'S', kDegreesPerQuarterCircle, degrees, error);
}

bool ParseLongitude(std::string_view text, double& degrees, std::string& error) {
  return Angle(text, 'E', 'W', kDegreesPerHalfCircle, degrees, error);
}

bool ParseNumber(std::string_view text, double low, double high, double& value,
                 std::string& error) {
  double parsed = 0.0;
  if (!Decimal(text, true, parsed)) {
    error = "expected a decimal number";
    return false;
  }
  if (parsed < low || parsed > high) {
    char range[kFormattedBytes * 2];
    std::snprintf(range, sizeof range, "must be from %g to %g", low, high);
    error = range;
    return false;
  }
  value = parsed;
  return true;
}

std::string FormatUtcTime(double julianDate) {
  constexpr int16_t kWholeSeconds = 0;
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(julianDate, kWholeSeconds, year, month, day, hour, minute, seconds, weekday);
  char text[kFormattedBytes];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02.0f", year, month, day, hour,
                minute, std::floor(seconds + 0.5));
  return text;
}

std::string FormatLatitude(double degrees) {
  return FormatAngle(degrees, "%02lld%c%04.1f", 'N', 'S');
}

std::string FormatLongitude(double degrees) {
  return FormatAngle(degrees, "%03lld%c%04.1f", 'E', 'W');
}

}  // namespace navora
