#include "engine/almanac/AlmanacLine.h"

namespace navora {
namespace {

constexpr double kOneMinuteDays = 1.0 / 1440.0;
// An interval of one minute reached by another route (60 / 86400, a count of
// seconds) may fall short of 1/1440 by a few units of the last place.
constexpr double kIntervalRoundingDays = 1.1102230246251565e-15;

}  // namespace

bool IntervalBelowOneMinute(double intervalDays) {
  return kOneMinuteDays - intervalDays > kIntervalRoundingDays;
}

}  // namespace navora
