#pragma once

#include <cstdint>

namespace navora {

// One catalogue star. Positions are J2000 (mean equator and equinox of
// 2000 January 1.5), epoch J2000; the layout is fixed at 72 bytes. Stars
// 1..58 carry the values the almanac pages use; 59..173 come from the Yale
// Bright Star Catalogue, 5th revised edition (a parallax it leaves blank is
// 0). The place accuracies stated elsewhere are measured from these values;
// the catalogue's own errors come on top.
struct StarEntry {
  char name[14];           // zero-terminated display name; capitals for first magnitude
  uint16_t almanacNumber;  // 1..57 in the almanac's list of navigational stars,
                           // else 0
  double raHours;          // right ascension, hours
  double decDeg;           // declination, degrees
  double pmRa;             // proper motion in right ascension, seconds of time per century
  double pmDec;            // proper motion in declination, arcseconds per century
  double parallax;         // arcseconds; 0 where unknown
  double radialVelocity;   // km/s, positive receding
  double magnitude;        // visual magnitude
};

static_assert(sizeof(StarEntry) == 72, "StarEntry layout is part of the data format");

// Star numbers are 1-based: 1..57 navigational stars in almanac order,
// 58 Polaris, 59..173 further stars in alphabetical order of name.
inline constexpr int kStarCount = 173;
inline constexpr int kNavigationalStarCount = 57;
inline constexpr int kPolarisNumber = 58;

// Indexed by star number - 1.
extern const StarEntry kStarCatalogue[kStarCount];

}  // namespace navora
