#pragma once

#include <string>

#include "engine/planning/SkyChart.h"

namespace navora {

// Where the sky chart's bodies lie and what their labels say. Qt-free.
//
// Projection: azimuthal equidistant about the zenith, north up and east to
// the right. With the horizon circle's centre (cx, cy) and radius R in
// device units, a body at zenith distance z and azimuth A (degrees) lies at
//   r = z / 90 R,   x = cx + [r sin A],   y = cy - [r cos A],
// [ ] the nearest integer, halves away from zero. A body beyond the circle
// (only the Sun, down to 6 degrees below the horizon) is drawn on its
// azimuth just outside it, at R + `outside`.

struct ChartPixel {
  int x = 0;
  int y = 0;
};

struct HorizonCircle {
  int cx = 0;
  int cy = 0;
  int radius = 0;
  int outside = 8;  // how far beyond the circle a body below the horizon is put
};

ChartPixel ProjectToChart(const HorizonCircle& circle, double zenithDistance, double azimuth);

// The Moon's lit side: the direction on the chart from the Moon's centre to
// its centre of light, degrees anticlockwise from the chart's +x axis (east
// on the page), reduced into (-180, 180]. It is taken from the unrounded
// projected points: the two lie a fraction of a pixel apart on a screen
// chart, where rounding would leave at best the eight compass directions.
// 0 when they coincide.
double MoonLightDirection(const HorizonCircle& circle, const SkyChartLuminary& moon);

enum class MoonPhase { kNew, kPartial, kFull };

// New below an illuminated fraction of 0.067, full above 0.933.
MoonPhase MoonPhaseOf(double illuminatedFraction);

// A star's symbol size, 0 (largest) to 3: magnitudes below 0.5, below 1.5,
// below 2.0, and 2.0 or fainter.
int StarSizeStep(double magnitude);

// Labels beside a body: the altitude 90 - z, "%02.0f" for stars and "%02d"
// rounded for the others, and the azimuth "%03d" rounded, modulo 360.
std::string AltitudeLabel(double zenithDistance, bool star);
std::string AzimuthLabel(double azimuth);

// The title block's values of the planning time and the observer's place.
// Date "%02d %3s %4d"; time "%02d:%02d:%02d UTC"; latitude " %02d° %04.1f'"
// then "N " or "S " (" 00° 00.0'" and a blank at 0); longitude
// "%03d° %04.1f'" then "E " or "W " ("000° 00.0'" and a blank at 0). The
// degree sign is the Latin-1 byte 0xB0.
std::string ChartDateText(double planningTime);
std::string ChartTimeText(double planningTime);
std::string ChartLatitudeText(double latitude);
std::string ChartLongitudeText(double longitude);

}  // namespace navora
