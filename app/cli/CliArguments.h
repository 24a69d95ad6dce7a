#pragma once

#include <string>
#include <string_view>

namespace navora {

// The argument forms of navora-cli, one definition for every command.
//   time       YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS, UTC, Gregorian
//              calendar, years 1000 to 9999, seconds 0 to 59 (no leap
//              second); gives a Julian date in days (UTC).
//   latitude   DDhMM.m: whole degrees 0 to 90, hemisphere N or S, decimal
//              minutes below 60 ("49N30.5"); or signed decimal degrees
//              ("-12.25"); -90 to 90 degrees, north positive.
//   longitude  DDDhMM.m with E or W ("004W15.2"), or signed decimal degrees;
//              -180 to 180 degrees, east positive.
//   number     unsigned or signed decimal ("12", "-0.5"), no exponent,
//              within the range the command gives.
// A parser that refuses its text leaves the value alone and says why in
// `error`, one short clause without the argument's name.

bool ParseUtcTime(std::string_view text, double& julianDate, std::string& error);
bool ParseLatitude(std::string_view text, double& degrees, std::string& error);
bool ParseLongitude(std::string_view text, double& degrees, std::string& error);
bool ParseNumber(std::string_view text, double low, double high, double& value, std::string& error);

// The same forms for output, so that what a command prints can be given back
// to it: "YYYY-MM-DDTHH:MM:SS" (rounded to the second), "49N30.5" and
// "004W15.2" (rounded to 0.1 minute of arc).
std::string FormatUtcTime(double julianDate);
std::string FormatLatitude(double degrees);
std::string FormatLongitude(double degrees);

}  // namespace navora
