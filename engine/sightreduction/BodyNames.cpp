#include "engine/sightreduction/BodyNames.h"

#include "engine/common/BodyId.h"
#include "engine/places/StarCatalogue.h"

namespace navora {

EngineStatus BodyNameForCode(uint16_t bodyCode, uint16_t starNumber, const char*& name) {
  name = "";
  switch (bodyCode) {
    case kVenus:
      name = "Venus";
      return kStatusOk;
    case kMars:
      name = "Mars";
      return kStatusOk;
    case kJupiter:
      name = "Jupiter";
      return kStatusOk;
    case kSaturn:
      name = "Saturn";
      return kStatusOk;
    case kSun:
      name = "Sun";
      return kStatusOk;
    case kMoon:
      name = "Moon";
      return kStatusOk;
    case kBodyCodeSunUpperLimb:
      name = "Sun (Upper)";
      return kStatusOk;
    case kBodyCodeMoonUpperLimb:
      name = "Moon (Upper)";
      return kStatusOk;
    case kBodyCodeSunLowerLimb:
      name = "Sun (Lower)";
      return kStatusOk;
    case kBodyCodeMoonLowerLimb:
      name = "Moon (Lower)";
      return kStatusOk;
    case kBodyCodeStar:
      if (starNumber < 1 || starNumber > kStarCount) {
        return kBodyNameUnknown;
      }
      name = kStarCatalogue[starNumber - 1].name;
      return kStatusOk;
    default:
      return kBodyNameUnknown;
  }
}

}  // namespace navora
