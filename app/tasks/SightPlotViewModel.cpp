#include "app/tasks/SightPlotViewModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/common/Angles.h"

namespace navora {
namespace {

void CentreOnFix(SightPlotView& view) {
  view.scale = kPlotStartScale;
  view.centreLatitude = view.fixLatitude;
  view.centreLongitude = view.fixLongitude;
}

// A centre latitude moved from `from` toward `to`, stopped where the view's
// edge reaches the limit; a centre already beyond it does not move farther out.
double LimitCentreLatitude(double from, double to, double halfSpan) {
  const double highest = kPlotLatitudeLimit - halfSpan;
  if (to > from && to > highest) return std::max(from, highest);
  if (to < from && to < -highest) return std::min(from, -highest);
  return to;
}

std::string SpanText(double degrees) {
  // Rounded to the printed tenth of a minute first, so that 59.96' carries.
  const double tenths = std::round(degrees * kArcminutesPerDegree * 10.0);
  const int whole = static_cast<int>(tenths / 600.0);
  const double minutes = (tenths - whole * 600.0) / 10.0;
  char text[32];
  std::snprintf(text, sizeof text, "%d\xB0 %04.1f'", whole, minutes);
  return text;
}

}  // namespace

double LatitudeHalfSpan(const SightPlotView& view) { return 1.0 / view.scale; }

double LongitudeHalfSpan(const SightPlotView& view) {
  return 1.0 / (std::cos(DegreesToRadians(view.centreLatitude)) * view.scale);
}

SightPlotView OpenPlotView(const SightPlotState& state) {
  SightPlotView view;
  ReturnViewToSolution(view, state);
  return view;
}

void ReturnViewToSolution(SightPlotView& view, const SightPlotState& state) {
  view.fixLatitude = state.solution.latitude;
  view.fixLongitude = state.solution.longitude;
  CentreOnFix(view);
}

bool CanApplyPlotViewCommand(const SightPlotView& view, PlotViewCommand command) {
  const double half = LatitudeHalfSpan(view);
  switch (command) {
    case PlotViewCommand::kNorth:
      return view.centreLatitude + 2.0 * half <= kPlotLatitudeLimit;
    case PlotViewCommand::kSouth:
      return view.centreLatitude - 2.0 * half >= -kPlotLatitudeLimit;
    case PlotViewCommand::kZoomIn:
      return view.scale < kPlotMaxScale;
    case PlotViewCommand::kZoomOut:
      return view.scale > kPlotMinScale;
    case PlotViewCommand::kEast:
    case PlotViewCommand::kWest:
    case PlotViewCommand::kToFix:
      return true;
  }
  return false;
}

bool ApplyPlotViewCommand(SightPlotView& view, PlotViewCommand command) {
  if (!CanApplyPlotViewCommand(view, command)) return false;
  switch (command) {
    case PlotViewCommand::kNorth:
      view.centreLatitude += LatitudeHalfSpan(view);
      break;
    case PlotViewCommand::kSouth:
      view.centreLatitude -= LatitudeHalfSpan(view);
      break;
    case PlotViewCommand::kEast:
      view.centreLongitude = WrapDegrees180(view.centreLongitude + LongitudeHalfSpan(view));
      break;
    case PlotViewCommand::kWest:
      view.centreLongitude = WrapDegrees180(view.centreLongitude - LongitudeHalfSpan(view));
      break;
    case PlotViewCommand::kToFix:
      CentreOnFix(view);
      break;
    case PlotViewCommand::kZoomIn:
      view.scale = std::min(view.scale * kPlotZoomStep, kPlotMaxScale);
      break;
    case PlotViewCommand::kZoomOut:
      view.scale = std::max(view.scale / kPlotZoomStep, kPlotMinScale);
      break;
  }
  return true;
}

bool ZoomPlotViewAbout(SightPlotView& view, double factor, double latitude, double longitude) {
  const double scale = std::clamp(view.scale * factor, kPlotMinScale, kPlotMaxScale);
  if (scale == view.scale) return false;
  // Offsets from the point shrink with the scale; the longitude offset also
  // keeps its width on the screen, which is proportional to cos(centre latitude).
  const double ratio = view.scale / scale;
  const double centreLatitude = latitude + (view.centreLatitude - latitude) * ratio;
  const double eastOffset = WrapDegrees180(view.centreLongitude - longitude) *
                            std::cos(DegreesToRadians(view.centreLatitude)) * ratio;
  view.scale = scale;
  view.centreLatitude =
      LimitCentreLatitude(view.centreLatitude, centreLatitude, LatitudeHalfSpan(view));
  view.centreLongitude = WrapDegrees180(
      longitude + eastOffset / std::cos(DegreesToRadians(view.centreLatitude)));
  return true;
}

bool PanPlotView(SightPlotView& view, double dLatitude, double dLongitude) {
  const double latitude = LimitCentreLatitude(
      view.centreLatitude, view.centreLatitude + dLatitude, LatitudeHalfSpan(view));
  const double longitude = WrapDegrees180(view.centreLongitude + dLongitude);
  if (latitude == view.centreLatitude && longitude == view.centreLongitude) return false;
  view.centreLatitude = latitude;
  view.centreLongitude = longitude;
  return true;
}

PlotSpanTexts PlotSpans(const SightPlotView& view) {
  return {SpanText(2.0 * LatitudeHalfSpan(view)), SpanText(2.0 * LongitudeHalfSpan(view))};
}

}  // namespace navora
