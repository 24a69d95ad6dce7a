#include "engine/position/DrPartials.h"

#include <cmath>

#include "engine/position/DeadReckoning.h"
#include "engine/position/Ellipsoid.h"

namespace navora {

namespace {

// Derivative of the isometric latitude with respect to the latitude.
double IsometricLatitudeSlope(double latitudeRad) {
  const double w = EllipsoidW(latitudeRad);
  const double c = std::cos(latitudeRad);
  return 1.0 / c - kEccentricitySquared * c / (w * w);
}

void MidLatitudePartials(double lat1, double lat2, double course, double speed, double dt,
                         DrPartialRow& latitudeRow, DrPartialRow& longitudeRow) {
  const double e2 = kEccentricitySquared;
  const double a = kEquatorialRadiusKm;
  const double b = kMeridianRadiusAtEquatorKm;
  const double distance = speed * dt;
  const double latMid = 0.5 * (lat1 + lat2);
  const double w = EllipsoidW(lat1);
  const double m1 = MeridianRadius(lat1);
  const double n1 = a / w;
  const double sinK = std::sin(course);
  const double cosK = std::cos(course);
  const double tanMid = std::tan(latMid);
  const double cosMid = std::cos(latMid);
  const double sin2Lat1 = std::sin(2.0 * lat1);

  const double r0 = 1.0 - (1.5 * e2 * w * sin2Lat1 / b) * distance * cosK;
  const double r2 = -distance * sinK / m1;
  const double r3 = dt * cosK / m1;
  latitudeRow = {r0, 0.0, r2, r3};
  longitudeRow = {
      (-0.5 * e2 * sin2Lat1 / (w * a) + 0.5 * (r0 + 1.0) * tanMid / n1) * distance * sinK / cosMid,
      1.0,
      (0.5 * tanMid * sinK * r2 + cosK) * distance / (n1 * cosMid),
      (0.5 * tanMid * speed * r3 + 1.0) * dt * sinK / (n1 * cosMid),
  };
}

void MercatorPartials(double lat1, double lat2, double course, double speed, double dt,
                      DrPartialRow& latitudeRow, DrPartialRow& longitudeRow) {
  const double e2 = kEccentricitySquared;
  const double b = kMeridianRadiusAtEquatorKm;
  const double distance = speed * dt;
  const double northing = distance * std::cos(course);
  const double lat2Estimate = lat1 + northing / MeridianRadius(lat1);
  const double w1 = EllipsoidW(lat1);
  const double w1Cubed = w1 * w1 * w1;
  const double sin2Lat1 = std::sin(2.0 * lat1);
  const double cos2Lat1 = std::cos(2.0 * lat1);
  const double cos2Estimate = std::cos(2.0 * lat2Estimate);
  const double sinK = std::sin(course);
  const double cosK = std::cos(course);
  const double tanK = std::tan(course);

  const double estimateSlope = 1.0 - 1.5 * e2 * w1 * sin2Lat1 * northing / b;
  const double g = (1.0 - 0.75 * e2) + 0.75 * e2 * cos2Estimate;
  const double t = (1.0 - 0.75 * e2) * (lat2Estimate - lat1) +
                   0.375 * e2 * (std::sin(2.0 * lat2Estimate) - sin2Lat1);
  const double q = 1.5 * e2 * sin2Lat1 / (w1Cubed * w1 * w1);

  const double r0 = 1.0 +
                    ((1.0 - 0.75 * e2) * (estimateSlope - 1.0) +
                     0.75 * e2 * (estimateSlope * cos2Estimate - cos2Lat1)) /
                        w1Cubed +
                    q * t;
  const double r2 = -g * distance * sinK / b;
  const double r3 = g * dt * cosK / b;
  latitudeRow = {r0, 0.0, r2, r3};

  const double slopeStart = -tanK * IsometricLatitudeSlope(lat1);
  const double slopeEnd = tanK * IsometricLatitudeSlope(lat2);
  const double dpsi = IsometricLatitude(lat2) - IsometricLatitude(lat1);
  longitudeRow = {
      slopeEnd * r0 + slopeStart,
      1.0,
      slopeEnd * r2 + dpsi / (cosK * cosK),
      slopeEnd * r3,
  };
}

}  // namespace

EngineStatus DrPartials(const PositionRecord& advanced, const PositionRecord& start,
                        DrPartialRow& latitudeRow, DrPartialRow& longitudeRow) {
  latitudeRow = {0.0, 0.0, 0.0, 0.0};
  longitudeRow = {0.0, 0.0, 0.0, 0.0};
  if (!IsPositionRecordInDomain(advanced) || !IsPositionRecordInDomain(start)) {
    return kStatusOutOfDomain;
  }
  if (advanced.motionMode == kMotionGreatCircle) {
    return kStatusOk;
  }
  if (advanced.motionMode != kMotionRhumbLine) {
    latitudeRow = {1.0, 0.0, 0.0, 0.0};
    longitudeRow = {0.0, 1.0, 0.0, 0.0};
    return kStatusOk;
  }
  const double lat1 = DegreesToRadians(start.latitude);
  const double lat2 = DegreesToRadians(advanced.latitude);
  const double course = DegreesToRadians(advanced.course);
  const double dt = advanced.time - start.time;
  if (advanced.sailingMethod == kSailingMidLatitude) {
    MidLatitudePartials(lat1, lat2, course, advanced.speedKmPerDay, dt, latitudeRow, longitudeRow);
  } else {
    MercatorPartials(lat1, lat2, course, advanced.speedKmPerDay, dt, latitudeRow, longitudeRow);
  }
  for (const DrPartialRow* row : {&latitudeRow, &longitudeRow}) {
    for (const double partial : *row) {
      if (!std::isfinite(partial)) {
        latitudeRow = {0.0, 0.0, 0.0, 0.0};
        longitudeRow = {0.0, 0.0, 0.0, 0.0};
        return kStatusOutOfDomain;
      }
    }
  }
  return kStatusOk;
}

}  // namespace navora
