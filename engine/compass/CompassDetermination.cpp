#include <cmath>

#include "engine/common/Angles.h"
#include "engine/compass/AzimuthRules.h"
#include "engine/compass/CompassError.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/position/PositionReport.h"
#include "engine/time/DeltaT.h"

namespace navora {
namespace {

constexpr char kDegreeMark = 'o';
constexpr int16_t kToTheSecond = 1;

// The report's name of a body, nullptr for one the report does not know.
const char* BodyName(BodyId body, const StarEntry& star) {
  switch (body) {
    case kVenus: return "Venus";
    case kMars: return "Mars";
    case kJupiter: return "Jupiter";
    case kSaturn: return "Saturn";
    case kSun: return "Sun";
    case kMoon: return "Moon";
    case kCompassStarBody: return star.name;
    default: return nullptr;
  }
}

char ErrorSide(double error) {
  if (error > 0.0) return 'E';
  if (error < 0.0) return 'W';
  return ' ';
}

}  // namespace

EngineStatus DetermineCompassError(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                                   BodyId body, const StarEntry& star, double latitude,
                                   double longitude, double heightOfEyeM, double observed,
                                   double heading, bool observedIsRelative,
                                   ReportLine (&lines)[kCompassErrorMaxLines], int& lineCount,
                                   double& error) {
  lineCount = 0;
  error = 0.0;
  const char* name = BodyName(body, star);
  if (name == nullptr) return kCompassUnknownBody;
  if (!std::isfinite(observed) || !std::isfinite(heading)) return kStatusOutOfDomain;

  ObservedSkyPlace place;
  const EngineStatus status = ComputeBodyHorizonPlace(context, timeUtc, ut1MinusUtc, body, star,
                                                      latitude, longitude, heightOfEyeM, place);
  if (status <= kDeltaTUnavailable) return kCompassNoDeltaT;
  if (status != kStatusOk) return status;

  // An exact azimuth that rounds up to 360.0 is north, 000.0.
  const double exact = WrapDegrees360(RoundToTenth(place.azimuthDeg));
  const bool belowHorizon = !(place.altitudeDeg > RiseSetAltitude(heightOfEyeM));
  const double observedAzimuth = ObservedAzimuth(observed, heading, observedIsRelative);
  // Rounded as printed, so that equal bearings give no East or West.
  error = RoundToTenth(CompassErrorDeg(exact, observedAzimuth));

  CopyReportLine("                    GYRO/COMPASS ERROR - DETERMINATION", lines[0]);
  const EngineStatus block = FormatPositionTimeBlock(timeUtc, latitude, longitude, heightOfEyeM,
                                                     kToTheSecond, &lines[1]);
  if (block != kStatusOk) return block;
  int n = 1 + kPositionTimeBlockLines;
  CopyReportLine("      ", lines[n++]);
  FormatReportLine(lines[n++], "                         Body:               %.*s",
                   static_cast<int>(sizeof star.name - 1), name);
  FormatReportLine(lines[n++], "                                                %c", kDegreeMark);
  if (observedIsRelative) {
    FormatReportLine(lines[n++], "                         Rel. Bearing:       %05.1f", observed);
    FormatReportLine(lines[n++], "                         Heading:            %05.1f", heading);
  }
  FormatReportLine(lines[n++], "                         Observed Azimuth:   %05.1f",
                   observedAzimuth);
  FormatReportLine(lines[n++], "                         Exact Azimuth:      %05.1f", exact);
  FormatReportLine(lines[n++], "                         Gyro/Compass Error: %5.1f%c",
                   std::fabs(error), ErrorSide(error));
  if (belowHorizon) {
    CopyReportLine("    ", lines[n++]);
    CopyReportLine(
        "     WARNING: Body is below the horizon at time and position given above.", lines[n++]);
    FormatReportLine(lines[n++], "                      Altitude of body is %5.1f degrees",
                     place.altitudeDeg);
  }
  lineCount = n;
  return kStatusOk;
}

}  // namespace navora
