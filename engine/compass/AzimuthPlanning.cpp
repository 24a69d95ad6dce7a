#include <cstdio>
#include <iterator>

#include "engine/common/Angles.h"
#include "engine/compass/AzimuthRules.h"
#include "engine/compass/CompassError.h"
#include "engine/horizon/HeightOfEye.h"

namespace navora {
namespace {

struct PlannedBody {
  BodyId body;
  const char* name;
};

// The Moon first: by day the list ends with the Sun.
constexpr PlannedBody kPlannedBodies[] = {
    {kMoon, "Moon"}, {kSun, "Sun"},         {kVenus, "Venus"},
    {kMars, "Mars"}, {kJupiter, "Jupiter"}, {kSaturn, "Saturn"},
};

// Stars 1..58: the navigational stars and Polaris.
constexpr int kPlannedStarCount = kPolarisNumber;

static_assert(std::size(kPlannedBodies) + kPlannedStarCount == kMaxAzimuthCandidates);

void AddCandidate(uint16_t starNumber, const char* name, const ObservedSkyPlace& place,
                  double course, AzimuthCandidate* candidates, int16_t& count) {
  AzimuthCandidate& candidate = candidates[count++];
  candidate.starNumber = starNumber;
  std::snprintf(candidate.name, sizeof candidate.name, "%s", name);
  candidate.azimuth = place.azimuthDeg;
  candidate.relativeBearing = WrapDegrees360(place.azimuthDeg - course);
  candidate.altitude = place.altitudeDeg;
}

}  // namespace

EngineStatus PlanAzimuthObservations(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                                     double latitude, double longitude, double heightOfEyeM,
                                     double course,
                                     AzimuthCandidate (&candidates)[kMaxAzimuthCandidates],
                                     int16_t& count) {
  count = 0;
  ObserverInstant instant;
  const EngineStatus prepared = PrepareObserverInstant(context, timeUtc, ut1MinusUtc, latitude,
                                                       longitude, heightOfEyeM, instant);
  if (prepared != kStatusOk) return prepared;
  const double horizon = RiseSetAltitude(heightOfEyeM);

  for (const PlannedBody& planned : kPlannedBodies) {
    ObservedSkyPlace place;
    EngineStatus status = ObserverBodyPlace(context, instant, planned.body, place);
    if (status != kStatusOk) return status + kAzimuthPlanPlaceFailure;
    status = PlaceToHorizon(instant, place);
    if (status != kStatusOk) return status + kAzimuthPlanHorizonFailure;
    if (!QualifiesForAzimuth(planned.body, AzimuthTestAltitude(planned.body, place), horizon)) {
      continue;
    }
    AddCandidate(0, planned.name, place, course, candidates, count);
    // By day the stars are not seen and the planets hardly: the Sun and the
    // Moon are all that is offered.
    if (planned.body == kSun) return kStatusOk;
  }

  for (int number = 1; number <= kPlannedStarCount; ++number) {
    const StarEntry& star = kStarCatalogue[number - 1];
    ObservedSkyPlace place;
    EngineStatus status = ObserverStarPlace(context, instant, star, place);
    if (status != kStatusOk) return status + kAzimuthPlanStarPlaceFailure;
    status = PlaceToHorizon(instant, place);
    if (status != kStatusOk) return status + kAzimuthPlanHorizonFailure;
    if (!QualifiesForAzimuth(kCompassStarBody, place.altitudeDeg, horizon)) continue;
    AddCandidate(static_cast<uint16_t>(number), star.name, place, course, candidates, count);
  }
  return kStatusOk;
}

}  // namespace navora
