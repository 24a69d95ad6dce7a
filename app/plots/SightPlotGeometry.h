#pragma once

#include <vector>

#include "app/tasks/SightPlotDocument.h"
#include "app/tasks/SightPlotViewModel.h"

namespace navora {

// Where the sight reduction plot's items lie on the screen. Qt-free.
//
// Projection: a local equirectangular chart about the view's centre
// (latitude c, longitude l), square on the ground at c:
//   x = x0 + wrap180(longitude - l) cos(c) k,   y = y0 - (latitude - c) k,
// with (x0, y0) the middle of the chart rectangle and k = height / (2
// latitude half-span) pixels per degree, so the chart's height spans the
// view's latitude span and its width, when square, the longitude span. Over
// the few degrees a plot shows the chart differs from a Mercator sheet by
// well under a pixel per degree of latitude away from c; straight lines on
// the plane tangent at the fix stay straight on it.
//
// Units: degrees (north and east positive), pixels with y downward.

struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
};

struct GeoPosition {
  double latitude = 0.0;
  double longitude = 0.0;
};

class PlotProjection {
 public:
  PlotProjection(const SightPlotView& view, double left, double top, double width,
                 double height);

  PlotPoint ToPixels(GeoPosition position) const;
  GeoPosition ToPosition(PlotPoint pixel) const;  // the inverse (for the mouse)

  double PixelsPerDegreeLatitude() const { return pixelsPerDegree_; }
  double PixelsPerDegreeLongitude() const { return pixelsPerDegree_ * cosCentreLatitude_; }

 private:
  GeoPosition centre_;
  double cosCentreLatitude_;
  double pixelsPerDegree_;
  PlotPoint middle_;
};

// How a sight's line is shown: in the fix, left out by the navigator, or too
// far from its line (|Ho - Hc| > kFarSightDegrees) to be drawn at all.
enum class LopState { kIncluded, kExcluded, kFar };

// A sight's line of position at the time of fix.
//
// Each sight was reduced at its assumed position: the fix leg's reduction
// position carried back along the legs' tracks to the sight's time. Carrying
// the line forward by the same run (the running fix) therefore brings the
// assumed position back onto the fix leg's reduction position, with the
// intercept Ho - Hc and azimuth Zn unchanged. So the line passes through the
// intercept point, the reduction position moved Ho - Hc degrees of arc along
// Zn (away from the body when negative), at right angles to Zn. The
// reduction position is the plot's solution (the DR position at the time of
// fix until a fix), which also the ".srp" file keeps. The line is straight
// on the plane tangent at that position.
struct LineOfPosition {
  int sight = 0;
  char letter = 'A';  // the LOP ID: 'A' for the first sight
  int legIndex = 0;
  LopState state = LopState::kIncluded;
  GeoPosition base;       // the solution position
  double intercept = 0.0; // Ho - Hc, degrees of arc
  double zn = 0.0;        // degrees true
};

std::vector<LineOfPosition> LinesOfPosition(const SightPlotState& state);

// The point `along` degrees of arc from the intercept point along the line
// (positive to the right of Zn, i.e. toward Zn + 90).
GeoPosition PointOnLine(const LineOfPosition& line, double along);

// A leg's DR track: from the entry that starts it to its end at the next
// leg's start (the fix leg's at the time of fix). An archived plot keeps no
// starts: its legs are joined end to end and the first shows only its end.
struct LegTrack {
  int leg = 0;
  bool hasStart = true;
  GeoPosition start;
  GeoPosition end;
};

std::vector<LegTrack> LegTracks(const SightPlotDocument& document);

// The fix's error ellipse on the chart, at twice the standard errors (the
// bounds the fix report prints as "+/-"): the covariance of latitude and
// longitude [sLat^2, cov; cov, sLon^2] (square degrees) taken into pixels by
// the projection, and its principal axes.
inline constexpr double kEllipseSigmas = 2.0;

struct PixelEllipse {
  PlotPoint centre;
  double semiMajor = 0.0;  // pixels
  double semiMinor = 0.0;
  double angle = 0.0;      // of the major axis, radians from +x toward +y
};

// False (no ellipse) unless both standard errors are positive, as after a
// fix from a single sight.
bool ProjectErrorEllipse(const FixSolution& solution, const PlotProjection& projection,
                         PixelEllipse& ellipse);

// trunc(2 pi r) + 1 for the larger semi-axis r in pixels, kept to 5..100:
// about a pixel per side on small ellipses, bounded work on large ones.
int EllipsePointCount(double semiMajorPixels);

// The closed outline: EllipsePointCount points, the last repeating the first.
std::vector<PlotPoint> EllipsePolygon(const PixelEllipse& ellipse);

// The part of the infinite line through p and q inside the rectangle, as
// its two ends; false when the line misses it (or p equals q).
bool ClipLineToRect(PlotPoint p, PlotPoint q, double left, double top, double right,
                    double bottom, PlotPoint& from, PlotPoint& to);

}  // namespace navora
