#pragma once

#include <cstddef>

namespace navora {

// Size of one almanac heading line or row buffer, terminator included. Every
// line the almanac prints is at most 78 characters.
inline constexpr size_t kAlmanacLineSize = 96;

using AlmanacLine = char[kAlmanacLineSize];

// True when a tabulation interval (days) is shorter than one minute, which
// prints times and headings with seconds instead of to the minute. An
// interval computed as 60 s / 86400 counts as one minute, not below it.
bool IntervalBelowOneMinute(double intervalDays);

}  // namespace navora
