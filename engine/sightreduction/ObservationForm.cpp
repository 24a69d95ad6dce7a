#include "engine/sightreduction/ObservationForm.h"

#include <cctype>
#include <cmath>

#include "engine/common/Angles.h"
#include "engine/common/BodyId.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/places/StarCatalogue.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

static_assert(kObservedBodyCount == kSolarSystemBodyCount + kStarCount);

// The solar-system entries of the list with their centre body codes.
struct SolarSystemBody {
  const char* name;
  uint16_t code;
};
constexpr SolarSystemBody kSolarSystemBodies[kSolarSystemBodyCount] = {
    {"Sun", kSun},   {"Moon", kMoon},       {"Venus", kVenus},
    {"Mars", kMars}, {"Jupiter", kJupiter}, {"Saturn", kSaturn},
};

// Limb codes, indexed by body (Sun, Moon) and limb (upper, lower).
constexpr uint16_t kLimbCodes[2][2] = {
    {kBodyCodeSunUpperLimb, kBodyCodeSunLowerLimb},
    {kBodyCodeMoonUpperLimb, kBodyCodeMoonLowerLimb},
};

constexpr int16_t kHsMinuteDecimals = 1;
constexpr double kTenthsPerMinute = 10.0;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The list index and limb of a body code that is not a star; false when
// the code is unknown.
bool BodyOfCode(uint16_t code, int& body, int& limb) {
  for (int i = 0; i < kSolarSystemBodyCount; ++i) {
    if (kSolarSystemBodies[i].code == code) {
      body = i;
      limb = kLimbNone;
      return true;
    }
  }
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      if (kLimbCodes[i][j] == code) {
        body = i;
        limb = j == 0 ? kLimbUpper : kLimbLower;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

const char* ObservedBodyName(int body) {
  if (body < 0 || body >= kObservedBodyCount) return nullptr;
  if (body < kSolarSystemBodyCount) return kSolarSystemBodies[body].name;
  return kStarCatalogue[body - kSolarSystemBodyCount].name;
}

int FindObservedBody(std::string_view name) {
  for (int body = 0; body < kObservedBodyCount; ++body) {
    if (SameIgnoringCase(name, ObservedBodyName(body))) return body;
  }
  return kFormNoSelection;
}

int BodyIndexOfStar(int starNumber) {
  if (starNumber < 1 || starNumber > kStarCount) return kFormNoSelection;
  return kSolarSystemBodyCount + starNumber - 1;
}

bool LimbApplies(int body) { return body == kBodySun || body == kBodyMoon; }

EngineStatus ObservationToForm(const ObservationRecord& sight, ObservationForm& form) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  constexpr int16_t kWholeSeconds = 0;
  SplitJulianToSeconds(sight.time, kWholeSeconds, year, month, day, hour, minute, seconds, weekday);
  form.year = year;
  form.month = month;
  form.day = day;
  form.hour = hour;
  form.minute = minute;
  form.second = static_cast<int>(std::lround(seconds));
  form.ut1MinusUtc = sight.ut1MinusUtc;

  int16_t negative = 0, degrees = 0;
  double minutes = 0.0;
  if (SplitAngleForDialog(sight.hs, kHsMinuteDecimals, negative, degrees, minutes) == kStatusOk) {
    form.hsDegrees = negative != 0 ? -degrees : degrees;
    // The split carries what would print as 60.0' into the degrees.
    form.hsMinutes = std::round(minutes * kTenthsPerMinute) / kTenthsPerMinute;
  }
  form.quality = QualityCodeFromSigma(sight.sigma) - 1;
  form.heightOfEye = static_cast<int>(std::trunc(sight.heightOfEye * kFeetPerMetre + 0.5));
  form.heightInMetres = false;
  form.indexCorrection = sight.indexCorrection * kArcminutesPerDegree;
  form.temperature = static_cast<int>(std::round(sight.temperature));
  form.pressure = static_cast<int>(std::trunc(sight.pressure + 0.5));

  form.limb = kLimbNone;
  if (sight.bodyCode == kBodyCodeStar) {
    form.body = BodyIndexOfStar(sight.starNumber);
  } else if (!BodyOfCode(sight.bodyCode, form.body, form.limb)) {
    form.body = kFormNoSelection;
  }
  return form.body == kFormNoSelection ? kFormUnknownBody : kStatusOk;
}

EngineStatus FormToObservation(const ObservationForm& form, ObservationRecord& sight) {
  if (form.body < 0 || form.body >= kObservedBodyCount) return kFormUnknownBody;
  if (form.body >= kSolarSystemBodyCount) {
    sight.bodyCode = kBodyCodeStar;
    sight.starNumber = static_cast<uint16_t>(form.body - kSolarSystemBodyCount + 1);
  } else {
    const bool limbed = LimbApplies(form.body) && form.limb != kLimbNone;
    sight.bodyCode = limbed ? kLimbCodes[form.body][form.limb == kLimbUpper ? 0 : 1]
                            : kSolarSystemBodies[form.body].code;
    sight.starNumber = 0;
  }
  sight.time = CalendarToJulian(static_cast<int16_t>(form.year), static_cast<int16_t>(form.month),
                                static_cast<int16_t>(form.day), static_cast<int16_t>(form.hour),
                                static_cast<int16_t>(form.minute), form.second);
  sight.ut1MinusUtc = form.ut1MinusUtc;
  sight.hs = form.hsDegrees + form.hsMinutes / kArcminutesPerDegree;
  sight.indexCorrection = form.indexCorrection / kArcminutesPerDegree;
  sight.heightOfEye = form.heightInMetres ? form.heightOfEye : form.heightOfEye * kMetresPerFoot;
  sight.temperature = form.temperature;
  sight.pressure = form.pressure;
  sight.sigma = SigmaFromQualityCode(static_cast<uint16_t>(form.quality + 1));
  return kStatusOk;
}

}  // namespace navora
