#include "app/bridge/PlanningBridge.h"

#include "app/bridge/ReferencePositionBridge.h"
#include "engine/planning/TwilightPlanningTime.h"

namespace navora {
namespace {

constexpr char kSkyChartFailed[] = "An error returned from\n Sight Planning, Sky Chart.";
constexpr char kSelectedStarsFailed[] =
    "An error returned from\nSight Planning, Selected Stars, \n while obtaining star data.";
constexpr char kPlanningBodiesFailed[] =
    "An error returned from\nSite Planning, Selected Stars\nwhile obtaining planet data.";

constexpr char kSunAlwaysUp[] =
    "The Sun is continuously above the horizon.\nPlease use the 'Other' time option.\n";
constexpr char kSunAlwaysDown[] =
    "The Sun is continuously below the horizon.\nPlease use the 'Other' time option.\n";
constexpr char kUndeterminate[] =
    "The event is undeterminate.\nPlease use the 'Other' time option.\n";
constexpr char kNoEventLine[] =
    "An error has occurred while calculating the twilight\ntime.  Please use the 'Other' time "
    "option.\n";
constexpr char kTwilightFailed[] =
    "An error occurred while calculating the twilight\ntimes. Please use the 'Other' time "
    "option.\n";

int Told(Notice& notice, EngineStatus status, const char* text) {
  if (status != kStatusOk) notice.Show(text, kNoticeOk);
  return status;
}

}  // namespace

int TaskSkyChart(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                 double latitude, double longitude, double heightOfEyeM,
                 SkyChartLuminary (&luminaries)[kSkyChartMaxLuminaries], int16_t& luminaryCount,
                 SkyChartPlanet (&planets)[kSkyChartMaxPlanets], int16_t& planetCount,
                 SkyChartStar (&stars)[kSkyChartMaxStars], int16_t& starCount) {
  return Told(notice,
              ComputeSkyChart(places, timeUtc, ut1MinusUtc, latitude, longitude, heightOfEyeM,
                              luminaries, luminaryCount, planets, planetCount, stars, starCount),
              kSkyChartFailed);
}

int TaskSelectedStars(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                      double latitude, double longitude, double heightOfEyeM,
                      SelectedStarsResult& result) {
  return Told(notice,
              SelectedStarsAt(places, timeUtc, ut1MinusUtc, latitude, longitude, heightOfEyeM,
                              result),
              kSelectedStarsFailed);
}

int TaskPlanningBodies(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                       double latitude, double longitude, double heightOfEyeM,
                       PlanningBodiesResult& result) {
  return Told(notice,
              PlanningBodiesAt(places, timeUtc, ut1MinusUtc, latitude, longitude, heightOfEyeM,
                               result),
              kPlanningBodiesFailed);
}

void TellPlanningTableFailure(Notice& notice, bool starTable) {
  notice.Show(starTable ? kSelectedStarsFailed : kPlanningBodiesFailed, kNoticeOk);
}

int TaskTwilightPlanningTime(Notice& notice, PlaceContext& places, double dateUtc, bool morning,
                             const PositionRecord& reference, double ut1MinusUtc,
                             double heightOfEyeM, double& planningTimeUtc) {
  const EngineStatus status = FindTwilightPlanningTime(places, dateUtc, morning, reference,
                                                       ut1MinusUtc, heightOfEyeM, planningTimeUtc);
  switch (status) {
    case kStatusOk:
      return status;
    case kTwilightSunAlwaysUp:
      return Told(notice, status, kSunAlwaysUp);
    case kTwilightSunAlwaysDown:
      return Told(notice, status, kSunAlwaysDown);
    case kTwilightUndeterminate:
      return Told(notice, status, kUndeterminate);
    case kTwilightAfterChosenDay:
      notice.Show(TimeTooEarlyMessage(reference.time), kNoticeOk);
      return status;
    case kTwilightComputationFailed:
      return Told(notice, status, kTwilightFailed);
    default:
      return Told(notice, status, kNoEventLine);
  }
}

}  // namespace navora
