#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace navora {

// One sight as the fix computation works on it: the observed altitude Ho
// from the sextant altitude, and the computed altitude Hc and azimuth Zn of
// the same point of the body (limb, centre, or centre of light) seen
// topocentrically from the assumed position on the DR track at the sight's
// time. Semi-diameter and parallax are never applied to Ho: Hc is computed
// for the observed point instead. Units: Julian date UTC, seconds, degrees,
// hours (right ascension, hour angles), arc-minutes (dip, refraction),
// degrees Celsius, millibars.

// Most sights since the last fix that are recorded, reduced and plotted.
inline constexpr int kMaxSights = 25;
// Legs of a running fix: the last fix and up to three DR updates after it.
inline constexpr int kMaxLegs = 4;

inline constexpr size_t kReducedBodyNameBytes = 14;

// Partial derivatives of the assumed position with respect to its leg's end
// latitude, end longitude (radians), course (radians) and speed (km per day).
using TransportPartials = std::array<double, 4>;

struct ReducedObservation {
  uint16_t legIndex = 0;
  char bodyName[kReducedBodyNameBytes] = "";  // report name (BodyNameForCode)
  uint16_t included = 1;   // cleared by the altitude limits and the pruning
  double time = 0.0;       // UTC Julian date of the sight
  double ut1MinusUtc = 0.0;  // seconds
  double weight = 1.0;     // multiplies the sight's least-squares weight
  double drLatitude = 0.0;   // assumed position at the sight's time, degrees
  double drLongitude = 0.0;  // degrees east
  double temperature = 10.0;  // degrees Celsius
  double pressure = 1010.0;   // millibars
  double spare = 0.0;         // carried from the sight unchanged
  double hs = 0.0;            // sextant altitude, degrees
  double refraction = 0.0;    // arc-minutes
  double dip = 0.0;           // arc-minutes
  double ho = 0.0;            // observed altitude, degrees
  double sigma = 0.0;         // standard error, degrees
  double hc = 0.0;            // computed altitude of the observed point, degrees
  double zn = 0.0;            // azimuth, degrees [0, 360)
  double ra = 0.0;            // apparent topocentric right ascension, hours
  double dec = 0.0;           // apparent topocentric declination, degrees
  double lha = 0.0;           // local hour angle, hours [0, 24)
  double raAtFix = 0.0;       // the direction (hc, zn) seen from the fix-leg
  double decAtFix = 0.0;      // position at the time of fix
  double lhaAtFix = 0.0;
  TransportPartials drPartialsLat{};  // latitude row
  TransportPartials drPartialsLon{};  // longitude row
};

}  // namespace navora
