#include "engine/position/DrChecks.h"

#include <cmath>

#include "engine/position/DeadReckoning.h"

namespace navora {

namespace {

constexpr double kHalfSecondDays = 5.787e-6;
constexpr double kMaximumAdvanceDays = 10.0;
// Room for the rounding of two Julian dates, far below a second.
constexpr double kTimeToleranceDays = 1e-7;
constexpr double kPolarLatitudeDeg = 80.0;
constexpr double kMaximumLongitudeChangeDeg = 100.0;
constexpr double kSunHighLatitudeDeg = 70.0;
constexpr double kMoonHighLatitudeDeg = 60.0;

bool IsMoving(const PositionRecord& position) {
  return position.motionMode == kMotionRhumbLine || position.motionMode == kMotionGreatCircle;
}

bool IsBeyondTenDays(double dt) { return dt > kMaximumAdvanceDays + kTimeToleranceDays; }

// 0 h UTC of the day that holds the Julian date.
double StartOfDay(double jd) { return std::trunc(jd - 0.5) + 0.5; }

// Advances the position by dt days; the latitude is extrapolated from the
// start with the latitude rate at the new position, so that a rhumb line
// folded over the pole by the sailing still counts as polar. Writes the
// latitude and the change of longitude and gives the polar status, or the
// status of a refused advance.
EngineStatus CheckAdvanceGeometry(const PositionRecord& position, double targetJd, double dt,
                                  double& latitudeDeg, double& longitudeChangeDeg) {
  PositionRecord advanced;
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  const EngineStatus status =
      AdvanceDeadReckoning(targetJd, position, advanced, latitudeRate, longitudeRate);
  if (status != kStatusOk) return status;
  latitudeDeg = position.latitude + latitudeRate * dt;
  longitudeChangeDeg = longitudeRate * dt;
  return std::fabs(latitudeDeg) >= kPolarLatitudeDeg ? kDrEntersPolarRegion : kStatusOk;
}

EngineStatus CheckBodyLatitude(BodyId body, double latitudeDeg) {
  if (body == kSun && std::fabs(latitudeDeg) >= kSunHighLatitudeDeg) {
    return kDrSunHighLatitude;
  }
  if (body == kMoon && std::fabs(latitudeDeg) >= kMoonHighLatitudeDeg) {
    return kDrMoonHighLatitude;
  }
  return kStatusOk;
}

}  // namespace

EngineStatus CheckDrAdvance(int16_t mode, double targetJd, const PositionRecord& position) {
  if (!std::isfinite(targetJd) || !IsPositionRecordInDomain(position)) {
    return kStatusOutOfDomain;
  }
  if (!IsMoving(position)) {
    return kDrNoMotion;
  }
  const double dt = targetJd - position.time;
  if (mode == kDrCheckAllowSameTime && dt < -kHalfSecondDays) {
    return kDrTimeTooEarly;
  }
  if (mode == kDrCheckRequireLaterTime && dt <= kHalfSecondDays) {
    return kDrTimeTooEarly;
  }
  if (IsBeyondTenDays(dt)) {
    return kDrBeyondTenDays;
  }
  double latitudeDeg = 0.0;
  double longitudeChangeDeg = 0.0;
  const EngineStatus polar =
      CheckAdvanceGeometry(position, targetJd, dt, latitudeDeg, longitudeChangeDeg);
  if (polar != kStatusOk) {
    return polar;
  }
  if (std::fabs(longitudeChangeDeg) > kMaximumLongitudeChangeDeg) {
    return kDrLongitudeChangeTooLarge;
  }
  return kStatusOk;
}

EngineStatus CheckUnderwayAdvance(const PositionRecord& position, BodyId body, double& tableStartJd,
                                  double& latitudeDeg) {
  if (!std::isfinite(tableStartJd) || !IsPositionRecordInDomain(position)) {
    latitudeDeg = 0.0;
    return kStatusOutOfDomain;
  }
  if (!IsMoving(position)) {
    latitudeDeg = position.latitude;
    return CheckBodyLatitude(body, latitudeDeg);
  }
  const double dt = tableStartJd - position.time;
  if (dt <= -1.0) {
    return kDrTimeTooEarly;
  }
  if (dt < 0.0) {
    tableStartJd = StartOfDay(position.time);
    latitudeDeg = position.latitude;
    return CheckBodyLatitude(body, latitudeDeg);
  }
  if (IsBeyondTenDays(dt)) {
    return kDrBeyondTenDays;
  }
  double longitudeChangeDeg = 0.0;
  const EngineStatus polar =
      CheckAdvanceGeometry(position, tableStartJd, dt, latitudeDeg, longitudeChangeDeg);
  if (polar != kStatusOk) {
    if (polar == kStatusOutOfDomain) latitudeDeg = 0.0;
    return polar;
  }
  const EngineStatus bodyNote = CheckBodyLatitude(body, latitudeDeg);
  if (std::fabs(longitudeChangeDeg) > kMaximumLongitudeChangeDeg) {
    return kDrLongitudeChangeTooLarge;
  }
  tableStartJd = StartOfDay(tableStartJd);
  return bodyNote;
}

}  // namespace navora
