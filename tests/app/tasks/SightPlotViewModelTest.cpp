#include <gtest/gtest.h>

#include <cmath>

#include "app/tasks/SightPlotViewModel.h"

namespace navora {
namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

SightPlotView ViewAt(double latitude, double longitude, double scale) {
  SightPlotView view;
  view.scale = scale;
  view.centreLatitude = latitude;
  view.centreLongitude = longitude;
  view.fixLatitude = 41.5;
  view.fixLongitude = -70.25;
  return view;
}

TEST(SightPlotViewModel, CommandsMoveAndZoomWithinTheirLimits) {
  using C = PlotViewCommand;
  struct Row {
    double latitude, longitude, scale;
    C command;
    bool applied;
    double latitudeAfter, longitudeAfter, scaleAfter;
  };
  const Row rows[] = {
      {76.0, 10.0, 1.0, C::kNorth, true, 77.0, 10.0, 1.0},
      {77.0, 10.0, 1.0, C::kNorth, true, 78.0, 10.0, 1.0},  // top edge lands on 79
      {77.01, 10.0, 1.0, C::kNorth, false, 77.01, 10.0, 1.0},
      {70.0, 10.0, 0.5, C::kNorth, true, 72.0, 10.0, 0.5},
      {-77.0, 10.0, 1.0, C::kSouth, true, -78.0, 10.0, 1.0},
      {-77.01, 10.0, 1.0, C::kSouth, false, -77.01, 10.0, 1.0},
      {78.5, 10.0, 8.0, C::kSouth, true, 78.375, 10.0, 8.0},
      {60.0, 179.5, 1.0, C::kEast, true, 60.0, -178.5, 1.0},  // half-span 2 degrees at 60 N
      {0.0, 0.0, 2.0, C::kWest, true, 0.0, -0.5, 2.0},
      {-60.0, -179.0, 1.0, C::kWest, true, -60.0, 179.0, 1.0},
      {10.0, 20.0, 32.0, C::kZoomIn, true, 10.0, 20.0, 64.0},
      {10.0, 20.0, 64.0, C::kZoomIn, false, 10.0, 20.0, 64.0},
      {10.0, 20.0, 1.0, C::kZoomOut, true, 10.0, 20.0, 0.5},
      {10.0, 20.0, 0.5, C::kZoomOut, false, 10.0, 20.0, 0.5},
      {78.0, 20.0, 0.5, C::kToFix, true, 41.5, -70.25, 1.0},
  };
  for (const Row& row : rows) {
    SightPlotView view = ViewAt(row.latitude, row.longitude, row.scale);
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.command) << " at " << row.latitude
                                    << ", " << row.longitude << " scale " << row.scale);
    EXPECT_EQ(CanApplyPlotViewCommand(view, row.command), row.applied);
    EXPECT_EQ(ApplyPlotViewCommand(view, row.command), row.applied);
    EXPECT_NEAR(view.centreLatitude, row.latitudeAfter, 1e-12);
    EXPECT_NEAR(view.centreLongitude, row.longitudeAfter, 1e-12);
    EXPECT_EQ(view.scale, row.scaleAfter);
  }
}

// Screen offset of a point from the view's centre, in latitude degrees at scale 1.
void ScreenOffset(const SightPlotView& view, double latitude, double longitude, double& x,
                  double& y) {
  x = (longitude - view.centreLongitude) * std::cos(view.centreLatitude * kDegToRad) * view.scale;
  y = (latitude - view.centreLatitude) * view.scale;
}

TEST(SightPlotViewModel, MouseZoomKeepsThePointerPointAndStopsAtTheLimits) {
  struct Row {
    double factor, latitude, longitude, scaleAfter;
  };
  const Row rows[] = {{2.0, 41.3, -70.0, 2.0},
                      {0.5, 42.0, -71.0, 0.5},
                      {1.25, 40.6, -69.1, 1.25},
                      {200.0, 41.0, -70.5, 64.0}};
  for (const Row& row : rows) {
    SightPlotView view = ViewAt(41.0, -70.5, 1.0);
    double x0, y0, x1, y1;
    ScreenOffset(view, row.latitude, row.longitude, x0, y0);
    ASSERT_TRUE(ZoomPlotViewAbout(view, row.factor, row.latitude, row.longitude)) << row.factor;
    ScreenOffset(view, row.latitude, row.longitude, x1, y1);
    EXPECT_EQ(view.scale, row.scaleAfter);
    EXPECT_NEAR(x1, x0, 1e-9) << row.factor;
    EXPECT_NEAR(y1, y0, 1e-9) << row.factor;
  }
  SightPlotView view = ViewAt(41.0, -70.5, 0.5);
  EXPECT_FALSE(ZoomPlotViewAbout(view, 0.5, 41.2, -70.0));
  // Zooming out about a point near the limit does not carry the view past 79 N.
  view = ViewAt(78.0, 0.0, 2.0);
  ASSERT_TRUE(ZoomPlotViewAbout(view, 0.5, 77.5, 0.0));
  EXPECT_DOUBLE_EQ(view.centreLatitude, 78.0);
}

TEST(SightPlotViewModel, DragStopsWhereAnEdgeReaches79Degrees) {
  SightPlotView view = ViewAt(70.0, 170.0, 1.0);
  ASSERT_TRUE(PanPlotView(view, 20.0, 15.0));
  EXPECT_DOUBLE_EQ(view.centreLatitude, 78.0);
  EXPECT_DOUBLE_EQ(view.centreLongitude, -175.0);
  EXPECT_FALSE(PanPlotView(view, 1.0, 0.0));
  ASSERT_TRUE(PanPlotView(view, -200.0, 0.0));
  EXPECT_DOUBLE_EQ(view.centreLatitude, -78.0);
  // A view opened beyond the limit (a fix at 85 N) can only come back.
  view = ViewAt(85.0, 0.0, 1.0);
  EXPECT_FALSE(PanPlotView(view, 0.5, 0.0));
  ASSERT_TRUE(PanPlotView(view, -0.5, 0.0));
  EXPECT_DOUBLE_EQ(view.centreLatitude, 84.5);
}

TEST(SightPlotViewModel, SpansAreTwiceTheHalfSpans) {
  struct Row {
    double latitude, scale;
    const char* latitudeSpan;
    const char* longitudeSpan;
  };
  const Row rows[] = {{0.0, 1.0, "2\xB0 00.0'", "2\xB0 00.0'"},
                      {0.0, 0.5, "4\xB0 00.0'", "4\xB0 00.0'"},
                      {60.0, 1.0, "2\xB0 00.0'", "4\xB0 00.0'"},
                      {0.0, 64.0, "0\xB0 01.9'", "0\xB0 01.9'"},
                      {-45.0, 8.0, "0\xB0 15.0'", "0\xB0 21.2'"}};
  for (const Row& row : rows) {
    const PlotSpanTexts spans = PlotSpans(ViewAt(row.latitude, 0.0, row.scale));
    EXPECT_EQ(spans.latitude, row.latitudeSpan) << row.latitude << " " << row.scale;
    EXPECT_EQ(spans.longitude, row.longitudeSpan) << row.latitude << " " << row.scale;
  }
}

TEST(SightPlotViewModel, ToFixLocationFollowsTheSolution) {
  SightPlotState state;
  state.solution.latitude = -33.75;  // the DR position at the time of fix
  state.solution.longitude = 151.5;
  SightPlotView view = OpenPlotView(state);
  ASSERT_TRUE(ApplyPlotViewCommand(view, PlotViewCommand::kZoomIn));
  state.solution.latitude = -33.6;  // Calculate Fix
  state.solution.longitude = 151.3;
  ReturnViewToSolution(view, state);
  EXPECT_EQ(view.scale, 1.0);
  ASSERT_TRUE(ApplyPlotViewCommand(view, PlotViewCommand::kNorth));
  ASSERT_TRUE(ApplyPlotViewCommand(view, PlotViewCommand::kToFix));
  EXPECT_EQ(view.centreLatitude, -33.6);
  EXPECT_EQ(view.centreLongitude, 151.3);
}

}  // namespace
}  // namespace navora
