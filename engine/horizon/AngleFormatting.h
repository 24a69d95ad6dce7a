#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/common/EngineStatus.h"

namespace navora {

// Angles split and written for the reports and dialogs.
//
// Model: the angle is reduced into [0, 360) by the floating remainder of its
// magnitude and split into whole degrees and decimal minutes; a minute value
// that would print as 60 with the chosen decimals is carried into the degrees.
// Units: angles in degrees, minutes in arc-minutes. Domain: any finite angle
// (a latitude for FormatLatLon lies in -90..90). Accuracy: exact to the
// rounding of the printed decimals.
//
// Every function returns kStatusOutOfDomain for an angle outside its domain
// and then writes a blank sign, zero degrees and zero minutes (FormatLatLon an
// empty text), never a NaN.

// Marks printed by every report: degree, minute, second, column separator and
// the two brackets, in that order.
inline constexpr char kReportSymbols[] = "o,\"|<>";

// Splits an angle into a sign ('+', '-', or ' ' for a value that prints as
// zero with the given number of minute decimals), whole degrees in 0..359 and
// decimal minutes, carrying a minute that would print as 60 into the degrees.
[[nodiscard]] EngineStatus SplitDegreesMinutes(double angleDeg, int16_t decimals, char& sign, int16_t& degrees,
                                 double& minutes);

// The same split for the degree and minute fields of a dialog: negative is 1
// when the angle carries a minus sign, else 0.
[[nodiscard]] EngineStatus SplitAngleForDialog(double angleDeg, int16_t decimals,
                                               int16_t& negative, int16_t& degrees,
                                               double& minutes);

// Flag bit of FormatLatLon marking a latitude; the low byte of the flags is the
// number of minute decimals.
inline constexpr uint16_t kLatitudeFlag = 0x100;

// Writes a latitude ("N  12\xB030.0") or a longitude ("W 123\xB015.0") into text,
// truncated to textSize - 1 characters and always terminated. The degree sign
// is the Latin-1 byte 0xB0; convert with Latin1ToUtf8 where the text is shown
// or saved as Unicode. kStatusOutOfDomain also when there is no room for the
// terminator (text null or textSize 0); nothing is written then.
[[nodiscard]] EngineStatus FormatLatLon(double angleDeg, uint16_t flags, char* text,
                                        size_t textSize);

}  // namespace navora
