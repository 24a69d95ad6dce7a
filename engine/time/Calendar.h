#pragma once

#include <cstdint>

namespace navora {

// Julian dates are doubles in days, noon-based; the civil day number of a
// Julian date jd is trunc(jd + 0.5). Calendar fields are proleptic Gregorian.
// Model: the integer day-number algorithm of Fliegel and Van Flandern (1968),
// exact for Julian day numbers >= 0 (years from -4713); the time-of-day
// splits assume jd >= 0. The time scale is whatever the caller's jd is (UTC,
// UT1 or TT); no leap seconds are applied. Near JD 2.45e6 a double resolves
// about 40 microseconds, so seconds are good to 1e-4 s.

// Julian date of a calendar date and time of day.
double CalendarToJulian(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute,
                        double seconds);

// Calendar date of a Julian day number.
void JulianDayToCalendar(int32_t julianDayNumber, int16_t& year, int16_t& month, int16_t& day);

// Calendar date and time of day of jd, rounded to the nearest minute.
void SplitJulianToMinute(double jd, int16_t& year, int16_t& month, int16_t& day, int16_t& hour,
                         int16_t& minute);

// As SplitJulianToMinute, with the three-letter weekday name.
void SplitJulianToMinuteWeekday(double jd, int16_t& year, int16_t& month, int16_t& day,
                                int16_t& hour, int16_t& minute, char (&weekday)[4]);

// Calendar date and time of day of jd with unrounded seconds; only the carry
// into the minute follows the printing precision of `decimals` places.
void SplitJulianToSeconds(double jd, int16_t decimals, int16_t& year, int16_t& month, int16_t& day,
                          int16_t& hour, int16_t& minute, double& seconds, char (&weekday)[4]);

// "Jan".."Dec" for index 0..11; nullptr outside.
const char* MonthAbbreviation(int index);

// "Sun".."Sat" of a Julian day number.
const char* WeekdayName(int32_t julianDayNumber);

// Empty dialog fields arrive as these sentinels.
inline constexpr int16_t kEmptyDialogField = -9999;
inline constexpr double kEmptyDialogSeconds = -100000.0;

// Julian date of the dialog fields: year index 0 is 1970, month index 0 is
// January; an empty hour clears minute and seconds, an empty minute clears
// the seconds, empty seconds are 0.
double DialogFieldsToJulian(int16_t yearIndex, int16_t monthIndex, int16_t day, int16_t hour,
                            int16_t minute, double seconds);

// Calendar date of a Julian day number, widened for list controls.
void JulianDayToDialogDate(int32_t julianDayNumber, int32_t& year, int32_t& month, int32_t& day);

}  // namespace navora
