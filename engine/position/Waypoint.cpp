#include "engine/position/Waypoint.h"

#include <cmath>

#include "engine/position/CourseAndDistance.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/Ellipsoid.h"
#include "engine/position/PositionReport.h"

namespace navora {
namespace {

constexpr double kKmPerNauticalMile = 1.852;
constexpr double kNauticalMilesPerDegree = 60.0;  // of great-circle arc
constexpr double kMaxPrintedSpeedKnots = 50.0;
constexpr double kMaxPrintedDistanceNm = 6000.0;
// Beyond this arc a single great circle is poorly sailed; 5-degree legs are
// recommended instead.
constexpr double kDistanceWarningArcDeg = 5.5;

// Central angle on the sphere by the haversine, degrees: well conditioned
// near zero, and near 180 degrees when taken to the antipode.
double SphereArcDeg(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg) {
  const double lat1 = DegreesToRadians(lat1Deg);
  const double lat2 = DegreesToRadians(lat2Deg);
  const double sinHalfDlat = std::sin(0.5 * (lat2 - lat1));
  const double sinHalfDlon = std::sin(0.5 * DegreesToRadians(lon2Deg - lon1Deg));
  const double haversine =
      sinHalfDlat * sinHalfDlat + std::cos(lat1) * std::cos(lat2) * sinHalfDlon * sinHalfDlon;
  return RadiansToDegrees(2.0 * std::asin(std::sqrt(std::fmin(haversine, 1.0))));
}

// Whether the great circle from (lat1, lon1) to (lat2, lon2) is defined: the
// points are neither together nor antipodal, at the entry's resolution.
bool HasGreatCircle(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg) {
  return SphereArcDeg(lat1Deg, lon1Deg, lat2Deg, lon2Deg) >= kWaypointMinimumArcDeg &&
         SphereArcDeg(lat1Deg, lon1Deg, -lat2Deg, lon2Deg + 180.0) >= kWaypointMinimumArcDeg;
}

EngineStatus SolveRoute(int16_t route, const PositionRecord& from, const PositionRecord& to,
                        double elapsedDays, WaypointRoute& solution) {
  double distanceKm = 0.0;
  const EngineStatus status = CourseAndDistance(route, from.latitude, from.longitude, to.latitude,
                                                to.longitude, solution.course, distanceKm);
  solution.speed = distanceKm / elapsedDays / kKmPerDayPerKnot;
  solution.distanceNm = distanceKm / kKmPerNauticalMile;
  return status;
}

bool IsFinite(const WaypointRoute& route) {
  return std::isfinite(route.course) && std::isfinite(route.speed) &&
         std::isfinite(route.distanceNm);
}

// A value above its printable limit prints as the limit with a '+'.
double Capped(double value, double limit, char& mark) {
  mark = value > limit ? '+' : ' ';
  return value > limit ? limit : value;
}

}  // namespace

EngineStatus ComputeWaypoint(const PositionRecord& reference, double departureJd,
                             double latitudeDeg, double longitudeDeg, double arrivalJd,
                             WaypointResult& result) {
  result = WaypointResult{};
  if (!IsPositionRecordInDomain(reference) || !std::isfinite(departureJd) ||
      !std::isfinite(arrivalJd) || !IsLatitude(latitudeDeg) || !std::isfinite(longitudeDeg)) {
    return kStatusOutOfDomain;
  }
  if (departureJd < reference.time) return kWaypointDepartureBeforeReference;
  const double elapsedDays = arrivalJd - departureJd;
  if (elapsedDays <= 0.0) return kWaypointArrivalNotAfterDeparture;

  result.waypoint = MakePositionRecord(kMotionNone, kPositionUserDefined, arrivalJd, latitudeDeg,
                                       longitudeDeg, 0.0, 0.0, 0.0, 0.0);
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  PositionRecord& departure = result.departure;
  if (AdvanceDeadReckoning(departureJd, reference, departure, latitudeRate, longitudeRate) !=
      kStatusOk) {
    return kStatusOutOfDomain;
  }
  // The ship leaves on its logged course and speed, not those made good.
  departure.course = reference.course;
  departure.speed = reference.speed;
  departure.speedKmPerDay = reference.speedKmPerDay;
  departure.positionType = kPositionDr;
  if (!HasGreatCircle(departure.latitude, departure.longitude, latitudeDeg, longitudeDeg)) {
    return kWaypointNoGreatCircle;
  }
  departure.motionMode = kMotionRhumbLine;
  EngineStatus status =
      SolveRoute(kRouteRhumbLine, departure, result.waypoint, elapsedDays, result.rhumbLine);
  departure.motionMode = kMotionGreatCircle;
  if (status == kStatusOk) {
    status =
        SolveRoute(kRouteGreatCircle, departure, result.waypoint, elapsedDays, result.greatCircle);
  }
  return status;
}

EngineStatus FormatWaypointReport(const WaypointResult& result, const PositionRecord& reference,
                                  ReportLine* lines, int& lineCount) {
  lineCount = 0;
  PositionReportParts w, r, d;
  if (lines == nullptr || !IsFinite(result.rhumbLine) || !IsFinite(result.greatCircle) ||
      SplitPositionForReport(result.waypoint, w) != kStatusOk ||
      SplitPositionForReport(reference, r) != kStatusOk ||
      SplitPositionForReport(result.departure, d) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  double rhumbCourse = 0.0, greatCircleCourse = 0.0;
  static_cast<void>(RoundAngle360(result.rhumbLine.course, rhumbCourse));
  static_cast<void>(RoundAngle360(result.greatCircle.course, greatCircleCourse));
  char rhumbSpeedMark, greatCircleSpeedMark, rhumbDistanceMark, greatCircleDistanceMark;
  const double rhumbSpeed = Capped(result.rhumbLine.speed, kMaxPrintedSpeedKnots, rhumbSpeedMark);
  const double greatCircleSpeed =
      Capped(result.greatCircle.speed, kMaxPrintedSpeedKnots, greatCircleSpeedMark);
  const double rhumbDistance =
      Capped(result.rhumbLine.distanceNm, kMaxPrintedDistanceNm, rhumbDistanceMark);
  const double greatCircleDistance =
      Capped(result.greatCircle.distanceNm, kMaxPrintedDistanceNm, greatCircleDistanceMark);

  int n = 0;
  CopyReportLine("                            WAYPOINT CALCULATION", lines[n++]);
  CopyReportLine(" ", lines[n++]);
  CopyReportLine("                                     Reference       Departure", lines[n++]);
  CopyReportLine("                     Waypoint        Position        Position", lines[n++]);
  CopyReportLine(" ", lines[n++]);
  FormatReportLine(lines[n++], "           Type:     %-7s         %-7s         %-7s", w.typeName,
                   r.typeName, d.typeName);
  FormatReportLine(lines[n++],
                   "           Date:     %02d %3s %4d     %02d %3s %4d     %02d %3s %4d", w.day,
                   w.month, w.year, r.day, r.month, r.year, d.day, d.month, d.year);
  FormatReportLine(lines[n++],
                   "           Time:     %02d:%02d:%02.0f UTC    %02d:%02d:%02.0f UTC    "
                   "%02d:%02d:%02.0f UTC",
                   w.hour, w.minute, w.seconds, r.hour, r.minute, r.seconds, d.hour, d.minute,
                   d.seconds);
  FormatReportLine(lines[n++],
                   "                        %c   %c           %c   %c           %c   %c", 'o', ',',
                   'o', ',', 'o', ',');
  FormatReportLine(
      lines[n++], "           Lat:      %c %02d %04.1f       %c %02d %04.1f       %c %02d %04.1f",
      w.latitudeLetter, w.latitudeDegrees, w.latitudeMinutes, r.latitudeLetter, r.latitudeDegrees,
      r.latitudeMinutes, d.latitudeLetter, d.latitudeDegrees, d.latitudeMinutes);
  FormatReportLine(lines[n++],
                   "           Lon:      %c%03d %04.1f       %c%03d %04.1f       %c%03d %04.1f",
                   w.longitudeLetter, w.longitudeDegrees, w.longitudeMinutes, r.longitudeLetter,
                   r.longitudeDegrees, r.longitudeMinutes, d.longitudeLetter, d.longitudeDegrees,
                   d.longitudeMinutes);
  FormatReportLine(lines[n++], "                                        %c               %c", 'o',
                   'o');
  FormatReportLine(lines[n++], "           Course:   ---             %05.1f           %05.1f",
                   r.course, d.course);
  FormatReportLine(lines[n++], "           Speed:    ---              %04.1f kn         %04.1f kn ",
                   reference.speed, result.departure.speed);
  CopyReportLine(" ", lines[n++]);
  CopyReportLine("                                   Rhumb Line    Great Circle", lines[n++]);
  FormatReportLine(lines[n++], "                                       %c             %c", 'o',
                   'o');
  FormatReportLine(lines[n++], "           Initial Course:          %05.1f         %05.1f",
                   rhumbCourse, greatCircleCourse);
  FormatReportLine(lines[n++], "           Speed of advance:         %04.1f kn %c     %04.1f kn %c",
                   rhumbSpeed, rhumbSpeedMark, greatCircleSpeed, greatCircleSpeedMark);
  FormatReportLine(lines[n++], "           Distance to waypoint:   %6.1f NM %c   %6.1f NM %c",
                   rhumbDistance, rhumbDistanceMark, greatCircleDistance, greatCircleDistanceMark);
  const double arcDeg = result.greatCircle.distanceNm / kNauticalMilesPerDegree;
  if (arcDeg > kDistanceWarningArcDeg) {
    CopyReportLine(" ", lines[n++]);
    FormatReportLine(lines[n++],
                     "            WARNING: Great circle distance to waypoint is %03.0f deg.",
                     arcDeg);
    CopyReportLine("                         Recommend 5 deg. waypoints.", lines[n++]);
  }
  if (rhumbSpeedMark == '+' || greatCircleSpeedMark == '+') {
    CopyReportLine(" ", lines[n++]);
    FormatReportLine(lines[n++], "                  WARNING: Speed of advance exceeds %2.0f kn.",
                     kMaxPrintedSpeedKnots);
  }
  lineCount = n;
  return kStatusOk;
}

}  // namespace navora
