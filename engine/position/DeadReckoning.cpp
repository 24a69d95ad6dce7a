#include "engine/position/DeadReckoning.h"

#include <cmath>

#include "engine/position/Ellipsoid.h"
#include "engine/position/SphereDirect.h"

namespace navora {

namespace {

constexpr double kTimeToleranceDays = 1e-7;
// Mid-latitude sailing is used when the track runs within about half a
// degree of east-west or the northing stays small.
constexpr double kMidLatitudeNorthingRatio = 0.01;
constexpr double kMidLatitudeNorthingKm = 20.0;
// A current that cancels the ship's way leaves rounding noise, whose
// direction means nothing: below this the ship is taken to stand still.
constexpr double kStillSpeedKmPerDay = 1e-9;

// A new position and the rates of latitude and longitude there.
struct SailingResult {
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  double courseDeg = 0.0;
  double latitudeRate = 0.0;   // degrees per day
  double longitudeRate = 0.0;  // degrees per day
};

void SetRates(double latitudeRad, double courseRad, double speedKmPerDay, SailingResult& result) {
  result.latitudeRate =
      RadiansToDegrees(speedKmPerDay * std::cos(courseRad) / MeridianRadius(latitudeRad));
  result.longitudeRate =
      RadiansToDegrees(speedKmPerDay * std::sin(courseRad) /
                       (PrimeVerticalRadius(latitudeRad) * std::cos(latitudeRad)));
}

SailingResult MidLatitudeSailing(double lat1Deg, double lon1Deg, double courseDeg,
                                 double speedKmPerDay, double dt) {
  const double lat1 = DegreesToRadians(lat1Deg);
  const double course = DegreesToRadians(courseDeg);
  const double distance = speedKmPerDay * dt;
  const double lat2 = lat1 + distance * std::cos(course) / MeridianRadius(lat1);
  const double dlon =
      distance * std::sin(course) / (PrimeVerticalRadius(lat1) * std::cos(0.5 * (lat1 + lat2)));
  SailingResult result;
  result.latitudeDeg = RadiansToDegrees(lat2);
  result.longitudeDeg = WrapDegrees180(lon1Deg + RadiansToDegrees(dlon));
  result.courseDeg = courseDeg;
  SetRates(lat2, course, speedKmPerDay, result);
  return result;
}

SailingResult MercatorSailing(double lat1Deg, double lon1Deg, double courseDeg,
                              double speedKmPerDay, double dt) {
  const double e2 = kEccentricitySquared;
  const double lat1 = DegreesToRadians(lat1Deg);
  const double course = DegreesToRadians(courseDeg);
  const double m1 = MeridianRadius(lat1);
  // The first estimate uses the meridian radius at the start; the series
  // then inverts the meridian arc to about a hundredth of a mile per 600.
  const double lat2Estimate = lat1 + speedKmPerDay * std::cos(course) * dt / m1;
  const double lat2 =
      lat1 + (m1 / kMeridianRadiusAtEquatorKm) *
                 ((1.0 - 0.75 * e2) * (lat2Estimate - lat1) +
                  0.375 * e2 * (std::sin(2.0 * lat2Estimate) - std::sin(2.0 * lat1)));
  SailingResult result;
  result.courseDeg = courseDeg;
  double lat2Deg = RadiansToDegrees(lat2);
  double lon2Deg = lon1Deg;
  if (lat2Deg > kDegreesPerQuarterCircle) {
    lat2Deg = kDegreesPerHalfCircle - lat2Deg;
    lon2Deg = lon1Deg + kDegreesPerHalfCircle;
  } else if (lat2Deg < -kDegreesPerQuarterCircle) {
    lat2Deg = -kDegreesPerHalfCircle - lat2Deg;
    lon2Deg = lon1Deg + kDegreesPerHalfCircle;
  } else {
    lon2Deg = lon1Deg + RadiansToDegrees(std::tan(course) *
                                         (IsometricLatitude(lat2) - IsometricLatitude(lat1)));
  }
  result.latitudeDeg = lat2Deg;
  result.longitudeDeg = WrapDegrees180(lon2Deg);
  SetRates(DegreesToRadians(lat2Deg), course, speedKmPerDay, result);
  return result;
}

// Due north or south the great circle is the meridian: the arc is measured
// with the meridian radius at the middle of the run. A run over the pole comes
// down the opposite meridian heading the other way.
SailingResult MeridianSailing(double lat1Deg, double lon1Deg, double courseDeg,
                              double speedKmPerDay, double dt) {
  const double lat1 = DegreesToRadians(lat1Deg);
  const double northing = speedKmPerDay * dt * std::cos(DegreesToRadians(courseDeg));
  const double lat2Estimate = lat1 + northing / kEquatorialRadiusKm;
  const double lat2 = lat1 + northing / MeridianRadius(0.5 * (lat2Estimate + lat1));
  SailingResult result;
  result.latitudeDeg = RadiansToDegrees(lat2);
  result.longitudeDeg = lon1Deg;
  result.courseDeg = courseDeg;
  if (std::fabs(result.latitudeDeg) > kDegreesPerQuarterCircle) {
    result.latitudeDeg =
        std::copysign(kDegreesPerHalfCircle, result.latitudeDeg) - result.latitudeDeg;
    result.longitudeDeg = WrapDegrees180(lon1Deg + kDegreesPerHalfCircle);
    result.courseDeg = WrapDegrees360(courseDeg + kDegreesPerHalfCircle);
  }
  const double lat2Final = DegreesToRadians(result.latitudeDeg);
  result.latitudeRate = RadiansToDegrees(
      speedKmPerDay * std::cos(DegreesToRadians(result.courseDeg)) / MeridianRadius(lat2Final));
  return result;
}

// The great circle is followed on a sphere whose radius is the ellipsoid's
// radius of curvature at the middle of the track in the direction of the
// track.
SailingResult GreatCircleSailing(double lat1Deg, double lon1Deg, double courseDeg,
                                 double speedKmPerDay, double dt) {
  if (IsMeridianCourse(courseDeg)) {
    return MeridianSailing(lat1Deg, lon1Deg, courseDeg, speedKmPerDay, dt);
  }
  SailingResult result;
  result.latitudeDeg = lat1Deg;
  result.longitudeDeg = lon1Deg;
  result.courseDeg = courseDeg;
  const double distance = speedKmPerDay * dt;
  if (distance == 0.0) {
    return result;
  }
  const double lat1 = DegreesToRadians(lat1Deg);
  const double course = DegreesToRadians(courseDeg);
  const SpherePoint middle = SphereDirect(lat1, course, distance / (2.0 * kEquatorialRadiusKm));
  const double radius = RadiusOfCurvatureInDirection(middle.latitude, middle.course);
  const SpherePoint end = SphereDirect(lat1, course, distance / radius);
  result.latitudeDeg = RadiansToDegrees(end.latitude);
  result.longitudeDeg = WrapDegrees180(lon1Deg + RadiansToDegrees(end.longitudeChange));
  result.courseDeg = WrapDegrees360(RadiansToDegrees(end.course));
  SetRates(end.latitude, end.course, speedKmPerDay, result);
  return result;
}

void AdvanceRhumbLine(double dt, const PositionRecord& from, PositionRecord& to,
                      SailingResult& result) {
  const double course = DegreesToRadians(from.course);
  const double set = DegreesToRadians(from.set);
  const double north = std::cos(course) * from.speedKmPerDay + std::cos(set) * from.driftKmPerDay;
  const double east = std::sin(course) * from.speedKmPerDay + std::sin(set) * from.driftKmPerDay;
  to.speedKmPerDay = std::hypot(north, east);
  to.course = 0.0;
  if (to.speedKmPerDay < kStillSpeedKmPerDay) {
    to.speedKmPerDay = 0.0;
  } else {
    to.course = WrapDegrees360(RadiansToDegrees(std::atan2(east, north)));
  }
  to.speed = to.speedKmPerDay / kKmPerDayPerKnot;
  const bool midLatitude = std::fabs(north) < kMidLatitudeNorthingRatio * std::fabs(east) ||
                           std::fabs(north * dt) < kMidLatitudeNorthingKm;
  to.sailingMethod = midLatitude ? kSailingMidLatitude : kSailingMercator;
  result = midLatitude
               ? MidLatitudeSailing(from.latitude, from.longitude, to.course, to.speedKmPerDay, dt)
               : MercatorSailing(from.latitude, from.longitude, to.course, to.speedKmPerDay, dt);
}

}  // namespace

EngineStatus AdvanceDeadReckoning(double targetJd, const PositionRecord& from, PositionRecord& to,
                                  double& latitudeRateDegPerDay, double& longitudeRateDegPerDay) {
  latitudeRateDegPerDay = 0.0;
  longitudeRateDegPerDay = 0.0;
  if (!std::isfinite(targetJd) || !IsPositionRecordInDomain(from)) {
    to = DefaultPositionRecord();
    return kStatusOutOfDomain;
  }
  const double dt = targetJd - from.time;
  to = from;
  if (std::fabs(dt) < kTimeToleranceDays) {
    return kStatusOk;
  }
  to.time = from.time + dt;
  to.positionType = kPositionDr;

  SailingResult result;
  if (from.motionMode == kMotionRhumbLine) {
    AdvanceRhumbLine(dt, from, to, result);
  } else if (from.motionMode == kMotionGreatCircle) {
    result = GreatCircleSailing(from.latitude, from.longitude, from.course, from.speedKmPerDay, dt);
    to.course = result.courseDeg;
    to.speed = to.speedKmPerDay / kKmPerDayPerKnot;
    to.sailingMethod = kSailingMercator;
  } else {
    to.course = 0.0;
    to.speed = 0.0;
    to.speedKmPerDay = 0.0;
    to.sailingMethod = kSailingMercator;
    return kStatusOk;
  }
  to.latitude = result.latitudeDeg;
  to.longitude = result.longitudeDeg;
  // Finite inputs can still run off the number line (a speed of 1e300 km per
  // day), or mid-latitude sailing past a pole; such a position must not reach
  // a report.
  if (!IsPositionRecordInDomain(to) || !std::isfinite(result.latitudeRate) ||
      !std::isfinite(result.longitudeRate)) {
    to = DefaultPositionRecord();
    return kStatusOutOfDomain;
  }
  latitudeRateDegPerDay = result.latitudeRate;
  longitudeRateDegPerDay = result.longitudeRate;
  return kStatusOk;
}

}  // namespace navora
