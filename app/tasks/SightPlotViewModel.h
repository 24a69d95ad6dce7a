#pragma once

#include <string>

#include "engine/sightreduction/SrpFile.h"

namespace navora {

// What a view of the sight reduction plot shows: its centre and zoom, the
// place "To Fix Location" returns to, and the view commands with their
// limits. Qt-free; the window maps menus, keys and the mouse onto it.
//
// Units: degrees (north and east positive). At scale s the view spans
// 2 / s degrees of latitude and 2 / (cos(centre latitude) s) degrees of
// longitude, the same distance on the ground both ways (a square chart).
// The view never asks to be moved past 79 degrees of latitude: the
// chart's longitude scale grows without bound toward the poles.

inline constexpr double kPlotStartScale = 1.0;
inline constexpr double kPlotMinScale = 0.5;   // spans 4 degrees of latitude
inline constexpr double kPlotMaxScale = 64.0;  // spans 1.875 arc-minutes
inline constexpr double kPlotZoomStep = 2.0;   // In and Out
inline constexpr double kPlotLatitudeLimit = 79.0;  // degrees, the farthest edge North/South move to

struct SightPlotView {
  double scale = kPlotStartScale;
  double centreLatitude = 0.0;
  double centreLongitude = 0.0;  // -180..180
  // "To Fix Location": the solution, or the DR position at the time of fix
  // until a fix is calculated.
  double fixLatitude = 0.0;
  double fixLongitude = 0.0;
};

// Half the latitude span, 1 / scale degrees.
double LatitudeHalfSpan(const SightPlotView& view);
// Half the longitude span, 1 / (cos(centre latitude) scale) degrees.
double LongitudeHalfSpan(const SightPlotView& view);

// A new view of a plot: scale 1 on its solution (the DR position at the
// time of fix while no fix is calculated).
SightPlotView OpenPlotView(const SightPlotState& state);

// After a successful Calculate Fix: the new solution becomes the place of
// "To Fix Location" and the view returns there at scale 1.
void ReturnViewToSolution(SightPlotView& view, const SightPlotState& state);

enum class PlotViewCommand { kNorth, kSouth, kEast, kWest, kToFix, kZoomIn, kZoomOut };

// Whether the command would change the view now (for enabling its menu
// item): North only while the view's top edge after the move stays at or
// below 79 degrees (centre + 2 half-spans <= 79), South likewise at -79, In
// only below the largest scale, Out only above the smallest. East, West and
// To Fix Location are always available.
bool CanApplyPlotViewCommand(const SightPlotView& view, PlotViewCommand command);

// Applies the command if it is available; false (view unchanged) if not.
// North/South move by one latitude half-span, East/West by one longitude
// half-span, In/Out double or halve the scale about the centre, To Fix
// Location centres on the fix at scale 1.
bool ApplyPlotViewCommand(SightPlotView& view, PlotViewCommand command);

// Mouse wheel: the scale multiplied by `factor`, clamped to the scale
// limits, keeping the point (latitude, longitude) where it is on the screen.
// The centre is then kept within the latitude limit, but never moved
// farther out than it was. False when the scale is already at the limit
// the factor goes toward.
bool ZoomPlotViewAbout(SightPlotView& view, double factor, double latitude, double longitude);

// Mouse drag: the centre moved by (dLatitude, dLongitude) degrees; the
// latitude stops at the position where an edge reaches 79 degrees (a view
// already beyond it is not moved farther out). False when nothing moved.
bool PanPlotView(SightPlotView& view, double dLatitude, double dLongitude);

// The "Plot Spans" values, twice the half-spans, as degrees and minutes
// ("2\xB0 00.0'"), Latin-1 like the engine's texts.
struct PlotSpanTexts {
  std::string latitude;
  std::string longitude;
};
PlotSpanTexts PlotSpans(const SightPlotView& view);

}  // namespace navora
