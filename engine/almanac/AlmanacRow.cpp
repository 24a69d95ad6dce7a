#include "engine/almanac/AlmanacRow.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "engine/almanac/AlmanacText.h"
#include "engine/places/AstronomicalConstants.h"

namespace navora {
namespace {

// The row status of a computation's failure: the Delta T status of the row's
// body, or kRowNoPlace.
EngineStatus RowStatus(EngineStatus computation, EngineStatus noDeltaT) {
  return computation == kAlmanacNoDeltaT ? noDeltaT : kRowNoPlace;
}

// The time column of a body row: "hhmmss" with seconds, else "hh mm".
using RowTimeText = char[20];  // room for any 16-bit fields

void FormatRowTime(double jdUt1, bool withSeconds, RowTimeText& text) {
  const AlmanacTime time = SplitAlmanacTime(jdUt1, withSeconds);
  if (withSeconds) {
    std::snprintf(text, sizeof text, "%02d%02d%02d", time.hour, time.minute, time.second);
  } else {
    std::snprintf(text, sizeof text, "%02d %02d", time.hour, time.minute);
  }
}

EngineStatus WriteSunMoonAriesRow(PlaceContext& context, double jdUt1, bool withSeconds,
                                  AlmanacLine& line) {
  SunAlmanacValues sun{};
  EngineStatus status = ComputeSunAlmanac(context, jdUt1, sun);
  if (status != kStatusOk) return RowStatus(status, kRowSunNoDeltaT);
  MoonAlmanacValues moon{};
  status = ComputeMoonAlmanac(context, jdUt1, moon);
  if (status != kStatusOk) return RowStatus(status, kRowMoonNoDeltaT);
  double ariesGha = 0.0;
  status = ComputeAriesAlmanac(context, jdUt1, ariesGha);
  if (status != kStatusOk) return RowStatus(status, kRowAriesNoDeltaT);

  RowTimeText time;
  FormatRowTime(jdUt1, withSeconds, time);
  AlmanacAngle angles[5];
  if (!SplitAlmanacAngles({sun.gha, sun.dec, moon.gha, moon.dec, ariesGha}, angles)) {
    return kRowNoPlace;
  }
  const auto& [sunGha, sunDec, moonGha, moonDec, aries] = angles;
  const char bar = kAlmanacColumnSeparator;
  FormatAlmanacLine(line,
                    " %s %c %3d %04.1f  %c%02d %04.1f %c %3d %04.1f  %c%02d %04.1f  %3.1f"
                    "  %3.1f  %3.0f %c %3d %04.1f",
                    time, bar, sunGha.degrees, sunGha.minutes, DeclinationLetter(sunDec),
                    sunDec.degrees, sunDec.minutes, bar, moonGha.degrees, moonGha.minutes,
                    DeclinationLetter(moonDec), moonDec.degrees, moonDec.minutes,
                    moon.horizontalParallax, moon.semiDiameter, moon.illumination, bar,
                    aries.degrees, aries.minutes);
  return kStatusOk;
}

EngineStatus WritePlanetsRow(PlaceContext& context, double jdUt1, bool withSeconds,
                             AlmanacLine& line) {
  PlanetsAlmanacValues planets{};
  const EngineStatus status = ComputePlanetsAlmanac(context, jdUt1, planets);
  if (status != kStatusOk) return RowStatus(status, kRowPlanetsNoDeltaT);

  RowTimeText time;
  FormatRowTime(jdUt1, withSeconds, time);
  AlmanacAngle gha[kAlmanacPlanetCount], dec[kAlmanacPlanetCount];
  char hemisphere[kAlmanacPlanetCount];
  for (int k = 0; k < kAlmanacPlanetCount; ++k) {
    if (SplitAlmanacAngle(planets[k].gha, gha[k]) != kStatusOk ||
        SplitAlmanacAngle(planets[k].dec, dec[k]) != kStatusOk) {
      return kRowNoPlace;
    }
    hemisphere[k] = DeclinationLetter(dec[k]);
  }
  const char bar = kAlmanacColumnSeparator;
  FormatAlmanacLine(line,
                    "%s%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f "
                    "%c%02d %04.1f%c%3d %04.1f %c%02d %04.1f",
                    time, bar, gha[0].degrees, gha[0].minutes, hemisphere[0], dec[0].degrees,
                    dec[0].minutes, bar, gha[1].degrees, gha[1].minutes, hemisphere[1],
                    dec[1].degrees, dec[1].minutes, bar, gha[2].degrees, gha[2].minutes,
                    hemisphere[2], dec[2].degrees, dec[2].minutes, bar, gha[3].degrees,
                    gha[3].minutes, hemisphere[3], dec[3].degrees, dec[3].minutes);
  return kStatusOk;
}

EngineStatus WriteStarRow(PlaceContext& context, double jdUt1, AlmanacKind kind,
                          int16_t starNumber, AlmanacLine& line) {
  StarAlmanacEntry star{};
  const EngineStatus status = ComputeStarAlmanac(context, jdUt1, starNumber, star);
  if (status != kStatusOk) return RowStatus(status, kRowStarNoDeltaT);

  char name[14];
  MixedCaseStarName(star.name, name);
  // Polaris has no number in the almanac's list of navigational stars.
  char number[8];
  if (starNumber < kAlmanacLastStar) {
    std::snprintf(number, sizeof number, "%2d", starNumber);
  } else {
    std::snprintf(number, sizeof number, "--");
  }
  AlmanacAngle angles[3];
  if (!SplitAlmanacAngles({star.sha, star.gha, star.dec}, angles)) return kRowNoPlace;
  const auto& [sha, gha, dec] = angles;
  if (kind == kAlmanacStarAtInstant) {
    FormatAlmanacLine(line,
                      "        %-12s      %s      %3d %04.1f      %3d %04.1f      %c%02d %04.1f",
                      name, number, sha.degrees, sha.minutes, gha.degrees, gha.minutes,
                      DeclinationLetter(dec), dec.degrees, dec.minutes);
  } else {
    FormatAlmanacLine(line, "         %-12s          %s          %3d %04.1f          %c%02d %04.1f",
                      name, number, sha.degrees, sha.minutes, DeclinationLetter(dec), dec.degrees,
                      dec.minutes);
  }
  return kStatusOk;
}

}  // namespace

void MixedCaseStarName(const char* name, char (&text)[14]) {
  size_t i = 0;
  for (; i + 1 < sizeof text && name[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    const bool followsWordCharacter = i > 0 && name[i - 1] != ' ';
    text[i] = followsWordCharacter ? static_cast<char>(std::tolower(c)) : name[i];
  }
  text[i] = '\0';
}

EngineStatus ComputeAlmanacRow(PlaceContext& context, double jdUtc, double dut1Seconds, AlmanacKind kind,
                               int16_t starNumber, double intervalDays, AlmanacLine& line) {
  if (kind < kAlmanacSunMoonAries || kind > kAlmanacStarForDay) return kRowBadKind;
  const bool starKind = kind == kAlmanacStarAtInstant || kind == kAlmanacStarForDay;
  if (starKind) {
    if (starNumber < 1 || starNumber > kAlmanacLastStar) return kRowBadStarNumber;
    // Written so that a value that is not a number is refused as well.
    if (!(std::fabs(dut1Seconds) <= kAlmanacMaxDut1Seconds)) return kRowBadDut1;
  }

  const double jdUt1 = jdUtc + dut1Seconds / kSecondsPerDay;
  const bool withSeconds = IntervalBelowOneMinute(intervalDays);
  switch (kind) {
    case kAlmanacSunMoonAries:
      return WriteSunMoonAriesRow(context, jdUt1, withSeconds, line);
    case kAlmanacPlanets:
      return WritePlanetsRow(context, jdUt1, withSeconds, line);
    case kAlmanacStarForDay:
      // The day's star positions are those of 12h UT, the whole Julian date.
      return WriteStarRow(context, std::trunc(jdUt1 + 0.5), kind, starNumber, line);
    default:
      return WriteStarRow(context, jdUt1, kind, starNumber, line);
  }
}

}  // namespace navora
