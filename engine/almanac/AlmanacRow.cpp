#include "engine/almanac/AlmanacRow.h"

#include <cctype>
#include <cmath>

#include "engine/almanac/AlmanacText.h"
#include "engine/places/AstronomicalConstants.h"

namespace navora {
namespace {

EngineStatus WriteSunMoonAriesRow(double jdUt1, bool withSeconds, AlmanacLine& line) {
  SunAlmanacValues sun{};
  if (ComputeSunAlmanac(jdUt1, sun) != kStatusOk) return kRowSunNoDeltaT;
  MoonAlmanacValues moon{};
  if (ComputeMoonAlmanac(jdUt1, moon) != kStatusOk) return kRowMoonNoDeltaT;
  double ariesGha = 0.0;
  if (ComputeAriesAlmanac(jdUt1, ariesGha) != kStatusOk) return kRowAriesNoDeltaT;

  const AlmanacTime time = SplitAlmanacTime(jdUt1, withSeconds);
  const AlmanacAngle sunGha = SplitAlmanacAngle(sun.gha);
  const AlmanacAngle sunDec = SplitAlmanacAngle(sun.dec);
  const AlmanacAngle moonGha = SplitAlmanacAngle(moon.gha);
  const AlmanacAngle moonDec = SplitAlmanacAngle(moon.dec);
  const AlmanacAngle aries = SplitAlmanacAngle(ariesGha);
  if (withSeconds) {
    FormatAlmanacLine(
        line,
        " %02d%02d%02d %c %3d %04.1f  %c%02d %04.1f %c %3d %04.1f  %c%02d %04.1f  %3.1f"
        "  %3.1f  %3.0f %c %3d %04.1f",
        time.hour, time.minute, time.second, kAlmanacColumnSeparator, sunGha.degrees,
        sunGha.minutes, DeclinationLetter(sunDec), sunDec.degrees, sunDec.minutes,
        kAlmanacColumnSeparator, moonGha.degrees, moonGha.minutes, DeclinationLetter(moonDec),
        moonDec.degrees, moonDec.minutes, moon.horizontalParallax, moon.semiDiameter,
        moon.illumination, kAlmanacColumnSeparator, aries.degrees, aries.minutes);
  } else {
    FormatAlmanacLine(line,
                      " %02d %02d %c %3d %04.1f  %c%02d %04.1f %c %3d %04.1f  %c%02d %04.1f  %3.1f"
                      "  %3.1f  %3.0f %c %3d %04.1f",
                      time.hour, time.minute, kAlmanacColumnSeparator, sunGha.degrees,
                      sunGha.minutes, DeclinationLetter(sunDec), sunDec.degrees, sunDec.minutes,
                      kAlmanacColumnSeparator, moonGha.degrees, moonGha.minutes,
                      DeclinationLetter(moonDec), moonDec.degrees, moonDec.minutes,
                      moon.horizontalParallax, moon.semiDiameter, moon.illumination,
                      kAlmanacColumnSeparator, aries.degrees, aries.minutes);
  }
  return kStatusOk;
}

EngineStatus WritePlanetsRow(double jdUt1, bool withSeconds, AlmanacLine& line) {
  PlanetsAlmanacValues planets{};
  if (ComputePlanetsAlmanac(jdUt1, planets) != kStatusOk) return kRowPlanetsNoDeltaT;

  const AlmanacTime time = SplitAlmanacTime(jdUt1, withSeconds);
  AlmanacAngle gha[kAlmanacPlanetCount], dec[kAlmanacPlanetCount];
  char hemisphere[kAlmanacPlanetCount];
  for (int k = 0; k < kAlmanacPlanetCount; ++k) {
    gha[k] = SplitAlmanacAngle(planets[k].gha);
    dec[k] = SplitAlmanacAngle(planets[k].dec);
    hemisphere[k] = DeclinationLetter(dec[k]);
  }
  const char bar = kAlmanacColumnSeparator;
  if (withSeconds) {
    FormatAlmanacLine(
        line,
        "%02d%02d%02d%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f "
        "%c%02d %04.1f%c%3d %04.1f %c%02d %04.1f",
        time.hour, time.minute, time.second, bar, gha[0].degrees, gha[0].minutes, hemisphere[0],
        dec[0].degrees, dec[0].minutes, bar, gha[1].degrees, gha[1].minutes, hemisphere[1],
        dec[1].degrees, dec[1].minutes, bar, gha[2].degrees, gha[2].minutes, hemisphere[2],
        dec[2].degrees, dec[2].minutes, bar, gha[3].degrees, gha[3].minutes, hemisphere[3],
        dec[3].degrees, dec[3].minutes);
  } else {
    FormatAlmanacLine(line,
                      "%02d %02d%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f %c%02d %04.1f%c%3d %04.1f "
                      "%c%02d %04.1f%c%3d %04.1f %c%02d %04.1f",
                      time.hour, time.minute, bar, gha[0].degrees, gha[0].minutes, hemisphere[0],
                      dec[0].degrees, dec[0].minutes, bar, gha[1].degrees, gha[1].minutes,
                      hemisphere[1], dec[1].degrees, dec[1].minutes, bar, gha[2].degrees,
                      gha[2].minutes, hemisphere[2], dec[2].degrees, dec[2].minutes, bar,
                      gha[3].degrees, gha[3].minutes, hemisphere[3], dec[3].degrees,
                      dec[3].minutes);
  }
  return kStatusOk;
}

EngineStatus WriteStarRow(double jdUt1, AlmanacKind kind, int16_t starNumber, AlmanacLine& line) {
  StarAlmanacEntry star{};
  if (ComputeStarAlmanac(jdUt1, starNumber, star) != kStatusOk) return kRowStarNoDeltaT;

  char name[14];
  MixedCaseStarName(star.name, name);
  const AlmanacAngle sha = SplitAlmanacAngle(star.sha);
  const AlmanacAngle gha = SplitAlmanacAngle(star.gha);
  const AlmanacAngle dec = SplitAlmanacAngle(star.dec);
  // Polaris has no number in the almanac's list of navigational stars.
  const bool numbered = starNumber < kAlmanacLastStar;
  if (kind == kAlmanacStarAtInstant && numbered) {
    FormatAlmanacLine(line,
                      "        %-12s      %2d      %3d %04.1f      %3d %04.1f      %c%02d %04.1f",
                      name, starNumber, sha.degrees, sha.minutes, gha.degrees, gha.minutes,
                      DeclinationLetter(dec), dec.degrees, dec.minutes);
  } else if (kind == kAlmanacStarAtInstant) {
    FormatAlmanacLine(line,
                      "        %-12s      --      %3d %04.1f      %3d %04.1f      %c%02d %04.1f",
                      name, sha.degrees, sha.minutes, gha.degrees, gha.minutes,
                      DeclinationLetter(dec), dec.degrees, dec.minutes);
  } else if (numbered) {
    FormatAlmanacLine(
        line, "         %-12s          %2d          %3d %04.1f          %c%02d %04.1f", name,
        starNumber, sha.degrees, sha.minutes, DeclinationLetter(dec), dec.degrees, dec.minutes);
  } else {
    FormatAlmanacLine(line, "         %-12s          --          %3d %04.1f          %c%02d %04.1f",
                      name, sha.degrees, sha.minutes, DeclinationLetter(dec), dec.degrees,
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

EngineStatus ComputeAlmanacRow(double jdUtc, double dut1Seconds, AlmanacKind kind,
                               int16_t starNumber, double intervalDays, AlmanacLine& line) {
  if (kind < kAlmanacSunMoonAries || kind > kAlmanacStarForDay) return kRowBadKind;
  const bool starKind = kind == kAlmanacStarAtInstant || kind == kAlmanacStarForDay;
  if (starKind) {
    if (starNumber < 1 || starNumber > kAlmanacLastStar) return kRowBadStarNumber;
    // Written so that a value that is not a number is refused as well.
    if (!(std::fabs(dut1Seconds) <= kAlmanacMaxDut1Seconds)) return kRowBadDut1;
  }

  double jdUt1 = jdUtc + dut1Seconds / kSecondsPerDay;
  const bool withSeconds = IntervalBelowOneMinute(intervalDays);
  switch (kind) {
    case kAlmanacSunMoonAries:
      return WriteSunMoonAriesRow(jdUt1, withSeconds, line);
    case kAlmanacPlanets:
      return WritePlanetsRow(jdUt1, withSeconds, line);
    case kAlmanacStarForDay:
      // The day's star positions are those of 12h UT, the whole Julian date.
      jdUt1 = std::trunc(jdUt1 + 0.5);
      return WriteStarRow(jdUt1, kind, starNumber, line);
    default:
      return WriteStarRow(jdUt1, kind, starNumber, line);
  }
}

}  // namespace navora
