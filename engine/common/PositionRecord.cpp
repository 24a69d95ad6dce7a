#include "engine/common/PositionRecord.h"

#include <cmath>

#include "engine/common/Angles.h"

namespace navora {

bool IsPositionRecordInDomain(const PositionRecord& record) {
  const double numbers[] = {record.time,  record.course,        record.speedKmPerDay,
                            record.speed, record.set,           record.driftKmPerDay,
                            record.drift, record.longitude};
  for (const double number : numbers) {
    if (!std::isfinite(number)) return false;
  }
  return IsLatitude(record.latitude);
}

PositionRecord MakePositionRecord(uint16_t motionMode, uint16_t positionType, double time,
                                  double latitude, double longitude, double course,
                                  double speed, double set, double drift) {
  PositionRecord record;
  record.motionMode = motionMode;
  record.sailingMethod = 0;
  record.time = time;
  record.course = course;
  record.speedKmPerDay = speed * kKmPerDayPerKnot;
  record.speed = speed;
  record.set = set;
  record.driftKmPerDay = drift * kKmPerDayPerKnot;
  record.drift = drift;
  record.latitude = latitude;
  record.longitude = longitude;
  record.positionType = positionType;
  return record;
}

PositionRecord DefaultPositionRecord() { return PositionRecord{}; }

const char* PositionTypeName(uint16_t positionType) {
  switch (positionType) {
    case kPositionCelestialFix:
      return "Celestial Fix";
    case kPositionExternalFix:
      return "External Fix";
    case kPositionDr:
      return "DR Position";
    default:
      return "User-defined";
  }
}

}  // namespace navora
