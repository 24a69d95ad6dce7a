#include "app/bridge/CompassBridge.h"

#include <cstdio>

namespace navora {
namespace {

constexpr char kPlanningFailed[] = "An error returned from\n Compass Error, Planning.";

}  // namespace

int TaskCompassErrorPlanning(Notice& notice, PlaceContext& places, double timeUtc,
                             double ut1MinusUtc, double latitude, double longitude,
                             double heightOfEyeM, double course,
                             ReportLine (&lines)[kAzimuthPlanningMaxLines], int& lineCount) {
  lineCount = 0;
  AzimuthCandidate candidates[kMaxAzimuthCandidates];
  int16_t count = 0;
  EngineStatus status = PlanAzimuthObservations(places, timeUtc, ut1MinusUtc, latitude, longitude,
                                                heightOfEyeM, course, candidates, count);
  if (status == kStatusOk) {
    status = FormatAzimuthPlanning(timeUtc, latitude, longitude, heightOfEyeM, course, candidates,
                                   count, lines, lineCount);
  }
  if (status != kStatusOk) notice.Show(kPlanningFailed, kNoticeOk);
  return status;
}

int TaskGyroCompassError(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                         BodyId body, const StarEntry& star, double latitude, double longitude,
                         double heightOfEyeM, double observed, double heading,
                         bool observedIsRelative, ReportLine (&lines)[kCompassErrorMaxLines],
                         int& lineCount, double& error) {
  const EngineStatus status =
      DetermineCompassError(places, timeUtc, ut1MinusUtc, body, star, latitude, longitude,
                            heightOfEyeM, observed, heading, observedIsRelative, lines, lineCount,
                            error);
  if (status == kStatusOk) return 0;
  char text[64];
  std::snprintf(text, sizeof text, "  Error number %3d returned\nfrom gyro/compass error.",
                static_cast<int>(status));
  notice.Show(text, kNoticeOk);
  return status == kCompassNoDeltaT ? kGyroCompassNoDeltaT : status;
}

}  // namespace navora
