#include "app/plots/SightPlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/common/Angles.h"

namespace navora {

PlotProjection::PlotProjection(const SightPlotView& view, double left, double top, double width,
                               double height)
    : centre_{view.centreLatitude, view.centreLongitude},
      cosCentreLatitude_(std::cos(DegreesToRadians(view.centreLatitude))),
      pixelsPerDegree_(height / (2.0 * LatitudeHalfSpan(view))),
      middle_{left + width / 2.0, top + height / 2.0} {}

PlotPoint PlotProjection::ToPixels(GeoPosition position) const {
  return {middle_.x + WrapDegrees180(position.longitude - centre_.longitude) *
                          cosCentreLatitude_ * pixelsPerDegree_,
          middle_.y - (position.latitude - centre_.latitude) * pixelsPerDegree_};
}

GeoPosition PlotProjection::ToPosition(PlotPoint pixel) const {
  return {centre_.latitude - (pixel.y - middle_.y) / pixelsPerDegree_,
          WrapDegrees180(centre_.longitude +
                         (pixel.x - middle_.x) / (cosCentreLatitude_ * pixelsPerDegree_))};
}

std::vector<LineOfPosition> LinesOfPosition(const SightPlotState& state) {
  std::vector<LineOfPosition> lines;
  const GeoPosition base{state.solution.latitude, state.solution.longitude};
  for (int i = 0; i < state.nSights; ++i) {
    const ReducedObservation& reduced = state.reduced[i];
    LineOfPosition line;
    line.sight = i;
    line.letter = static_cast<char>('A' + i);
    line.legIndex = reduced.legIndex;
    line.intercept = reduced.ho - reduced.hc;
    line.zn = reduced.zn;
    line.base = base;
    if (std::fabs(line.intercept) > kFarSightDegrees) {
      line.state = LopState::kFar;
    } else if (state.excluded[i] != 0 || state.sights[i].included == 0) {
      line.state = LopState::kExcluded;
    }
    lines.push_back(line);
  }
  return lines;
}

GeoPosition PointOnLine(const LineOfPosition& line, double along) {
  const double zn = DegreesToRadians(line.zn);
  const double north = line.intercept * std::cos(zn) - along * std::sin(zn);
  const double east = line.intercept * std::sin(zn) + along * std::cos(zn);
  return {line.base.latitude + north,
          WrapDegrees180(line.base.longitude +
                         east / std::cos(DegreesToRadians(line.base.latitude)))};
}

std::vector<LegTrack> LegTracks(const SightPlotDocument& document) {
  const SightPlotState& state = document.state;
  const bool keepsStarts = document.kind == SightPlotKind::kLive;
  std::vector<LegTrack> tracks;
  for (int i = 0; i < state.nLegs; ++i) {
    const LegRecord& leg = state.legs[i];
    LegTrack track;
    track.leg = i;
    track.end = {leg.end.latitude, leg.end.longitude};
    if (keepsStarts) {
      track.start = {leg.start.latitude, leg.start.longitude};
    } else if (i > 0) {
      track.start = tracks.back().end;
    } else {
      track.hasStart = false;
    }
    tracks.push_back(track);
  }
  return tracks;
}

bool ProjectErrorEllipse(const FixSolution& solution, const PlotProjection& projection,
                         PixelEllipse& ellipse) {
  if (!(solution.sigmaLatitude > 0.0 && solution.sigmaLongitude > 0.0)) return false;
  const double ky = projection.PixelsPerDegreeLatitude();
  const double kx = projection.PixelsPerDegreeLongitude();
  // Pixel covariance; y grows southward, so the cross term changes sign.
  const double cxx = solution.sigmaLongitude * solution.sigmaLongitude * kx * kx;
  const double cyy = solution.sigmaLatitude * solution.sigmaLatitude * ky * ky;
  const double cxy = -solution.covLatLon * kx * ky;
  const double mean = 0.5 * (cxx + cyy);
  const double radius = std::hypot(0.5 * (cxx - cyy), cxy);
  ellipse.centre = projection.ToPixels({solution.latitude, solution.longitude});
  ellipse.semiMajor = kEllipseSigmas * std::sqrt(mean + radius);
  ellipse.semiMinor = kEllipseSigmas * std::sqrt(std::max(mean - radius, 0.0));
  ellipse.angle = 0.5 * std::atan2(2.0 * cxy, cxx - cyy);
  return true;
}

int EllipsePointCount(double semiMajorPixels) {
  constexpr int kFewest = 5, kMost = 100;
  const double count = std::trunc(2.0 * std::numbers::pi * semiMajorPixels) + 1.0;
  return static_cast<int>(std::clamp(count, double{kFewest}, double{kMost}));
}

std::vector<PlotPoint> EllipsePolygon(const PixelEllipse& ellipse) {
  const int count = EllipsePointCount(ellipse.semiMajor);
  const double cosAngle = std::cos(ellipse.angle), sinAngle = std::sin(ellipse.angle);
  std::vector<PlotPoint> points(count);
  for (int i = 0; i < count; ++i) {
    const double t = (i == count - 1 ? 0.0 : 2.0 * std::numbers::pi * i / (count - 1));
    const double u = ellipse.semiMajor * std::cos(t), v = ellipse.semiMinor * std::sin(t);
    points[i] = {ellipse.centre.x + u * cosAngle - v * sinAngle,
                 ellipse.centre.y + u * sinAngle + v * cosAngle};
  }
  return points;
}

bool ClipLineToRect(PlotPoint p, PlotPoint q, double left, double top, double right,
                    double bottom, PlotPoint& from, PlotPoint& to) {
  // Liang-Barsky over the whole line: the parameter range starts unbounded.
  const double dx = q.x - p.x, dy = q.y - p.y;
  if (dx == 0.0 && dy == 0.0) return false;
  double t0 = -HUGE_VAL, t1 = HUGE_VAL;
  const double d[4] = {-dx, dx, -dy, dy};
  const double e[4] = {p.x - left, right - p.x, p.y - top, bottom - p.y};
  for (int i = 0; i < 4; ++i) {
    if (d[i] == 0.0) {
      if (e[i] < 0.0) return false;
      continue;
    }
    const double t = e[i] / d[i];
    if (d[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  from = {p.x + t0 * dx, p.y + t0 * dy};
  to = {p.x + t1 * dx, p.y + t1 * dy};
  return true;
}

}  // namespace navora
