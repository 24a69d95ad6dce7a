// The plot as drawn: the fix marker, the crossing of two lines of position,
// a left-out sight's line and the error ellipse found by their colours in
// the image, against positions computed here from the chart's stated
// projection; no ellipse unless both standard errors are positive; and the
// time of a full redraw of the largest plot.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "app/plots/SightPlotPainter.h"

namespace navora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
constexpr double kTwoSigma = 2.0;

struct Sight {
  int leg;
  double zn, intercept;  // degrees; intercept Ho - Hc
  bool included;
  const char* body;
};

// Three legs ending at 41.5 N, 70.25 W at the time of fix; the solution,
// its errors and the sights as given.
SightPlotDocument Plot(const std::vector<Sight>& sights, const FixSolution& solution) {
  SightPlotDocument document;
  SightPlotState& state = document.state;
  const double ends[3][2] = {{41.22, -70.86}, {41.37, -70.52}, {41.5, -70.25}};
  double start[2] = {41.02, -71.2};
  state.nLegs = 3;
  for (int i = 0; i < 3; ++i) {
    LegRecord& leg = state.legs[i];
    leg.start.latitude = start[0];
    leg.start.longitude = start[1];
    leg.end.latitude = leg.reduction.latitude = ends[i][0];
    leg.end.longitude = leg.reduction.longitude = ends[i][1];
    start[0] = ends[i][0];
    start[1] = ends[i][1];
  }
  state.timeOfFix = 2460400.75;
  for (const Sight& sight : sights) {
    const int i = state.nSights++;
    ReducedObservation& reduced = state.reduced[i];
    reduced.legIndex = static_cast<uint16_t>(sight.leg);
    std::strncpy(reduced.bodyName, sight.body, sizeof reduced.bodyName - 1);
    reduced.hc = 35.0;
    reduced.ho = 35.0 + sight.intercept;
    reduced.zn = sight.zn;
    reduced.included = state.sights[i].included = sight.included ? 1 : 0;
    state.sights[i].legIndex = reduced.legIndex;
  }
  state.solution = solution;
  state.fixCalculated = 1;
  RecomputeSightFlags(state);
  return document;
}

FixSolution Solution(double sigmaLatitude, double sigmaLongitude, double covLatLon) {
  FixSolution solution;
  solution.time = 2460400.75;
  solution.latitude = 41.53;
  solution.longitude = -70.21;
  solution.sigmaLatitude = sigmaLatitude;
  solution.sigmaLongitude = sigmaLongitude;
  solution.covLatLon = covLatLon;
  return solution;
}

struct Rendered {
  QImage image;
  SightPlotLayout layout;
  SightPlotView view;
};

Rendered Render(const SightPlotDocument& document, int width, int height) {
  Rendered r{
      QImage(width, height, QImage::Format_ARGB32_Premultiplied), {}, OpenPlotView(document.state)};
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  r.layout = LayOutSightPlot(r.image.rect(), document, font, &r.image);
  QPainter painter(&r.image);
  PaintSightPlot(painter, r.image.rect(), document, r.view, ScreenPlotPalette(), font);
  return r;
}

// The chart's projection as its header states it, computed here.
QPointF Project(const Rendered& r, double latitude, double longitude) {
  const QRectF& chart = r.layout.chart;
  const double k = chart.height() * r.view.scale / 2.0;
  return {chart.center().x() +
              (longitude - r.view.centreLongitude) * std::cos(r.view.centreLatitude * kRad) * k,
          chart.center().y() - (latitude - r.view.centreLatitude) * k};
}

// Pixel centres inside the chart whose colour passes the test.
std::vector<QPointF> Pixels(const Rendered& r, const std::function<bool(QColor)>& wanted) {
  std::vector<QPointF> found;
  const QRect chart = r.layout.chart.toAlignedRect();
  for (int y = chart.top(); y <= chart.bottom(); ++y) {
    for (int x = chart.left(); x <= chart.right(); ++x) {
      if (wanted(r.image.pixelColor(x, y))) found.push_back({x + 0.5, y + 0.5});
    }
  }
  return found;
}

bool IsRed(QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }
bool IsGreen(QColor c) { return c.green() > 150 && c.red() < 90 && c.blue() < 110; }
bool IsYellow(QColor c) {
  return c.red() > 150 && c.green() > 150 && c.blue() < 60 && std::abs(c.red() - c.green()) < 60;
}
bool IsWhite(QColor c) { return c.red() > 250 && c.green() > 250 && c.blue() > 250; }

// The line (point, unit direction) through the pixels within 3 pixels of the
// expected one and within `radius` of `near`, by total least squares.
void FitLine(const std::vector<QPointF>& pixels, QPointF through, QPointF direction, QPointF near,
             double radius, QPointF& point, QPointF& unit) {
  const QPointF normal(-direction.y(), direction.x());
  std::vector<QPointF> used;
  for (const QPointF& p : pixels) {
    const QPointF d = p - through;
    if (std::fabs(QPointF::dotProduct(d, normal)) <= 3.0 &&
        std::hypot(p.x() - near.x(), p.y() - near.y()) <= radius) {
      used.push_back(p);
    }
  }
  ASSERT_GT(used.size(), 60u);
  QPointF mean;
  for (const QPointF& p : used) mean += p;
  mean /= static_cast<double>(used.size());
  double sxx = 0, syy = 0, sxy = 0;
  for (const QPointF& p : used) {
    sxx += (p.x() - mean.x()) * (p.x() - mean.x());
    syy += (p.y() - mean.y()) * (p.y() - mean.y());
    sxy += (p.x() - mean.x()) * (p.y() - mean.y());
  }
  const double angle = 0.5 * std::atan2(2 * sxy, sxx - syy);
  point = mean;
  unit = QPointF(std::cos(angle), std::sin(angle));
}

QPointF Intersect(QPointF p, QPointF u, QPointF q, QPointF v) {
  const double det = u.x() * v.y() - u.y() * v.x();
  const double t = ((q.x() - p.x()) * v.y() - (q.y() - p.y()) * v.x()) / det;
  return p + t * u;
}

// A line of position in the plane tangent at the solution: the points
// (north, east) with north cos Zn + east sin Zn = intercept.
void LineOnChart(const Rendered& r, const FixSolution& s, const Sight& sight, QPointF& point,
                 QPointF& direction) {
  const double zn = sight.zn * kRad;
  const double cosLat = std::cos(s.latitude * kRad);
  auto at = [&](double along) {
    const double north = sight.intercept * std::cos(zn) - along * std::sin(zn);
    const double east = sight.intercept * std::sin(zn) + along * std::cos(zn);
    return Project(r, s.latitude + north, s.longitude + east / cosLat);
  };
  point = at(0.0);
  const QPointF d = at(0.1) - point;
  direction = d / std::hypot(d.x(), d.y());
}

TEST(SightPlotPainter, FixLinesAndEllipseLieWhereComputed) {
  // Two included sights on different legs crossing some 0.3 degrees from
  // the fix, a left-out one, and a far one that is not drawn.
  const std::vector<Sight> sights = {{2, 30.0, 0.25, true, "Vega"},
                                     {1, 140.0, -0.2, true, "Arcturus"},
                                     {0, 255.0, 0.1, false, "Sun"},
                                     {2, 300.0, 12.0, false, "Moon"}};
  const double sLat = 0.1, sLon = 0.15, cov = 0.006;
  const FixSolution solution = Solution(sLat, sLon, cov);
  const SightPlotDocument document = Plot(sights, solution);
  const Rendered r = Render(document, 800, 600);

  const QPointF fix = Project(r, solution.latitude, solution.longitude);
  QPointF centroid;
  const std::vector<QPointF> white = Pixels(r, IsWhite);
  ASSERT_FALSE(white.empty());
  for (const QPointF& p : white) centroid += p;
  centroid /= static_cast<double>(white.size());
  EXPECT_NEAR(centroid.x(), fix.x(), 1.0);
  EXPECT_NEAR(centroid.y(), fix.y(), 1.0);

  // Where the two included lines cross, from their own pixels.
  const double cosLat = std::cos(solution.latitude * kRad);
  const double z0 = sights[0].zn * kRad, z1 = sights[1].zn * kRad;
  const double det = std::cos(z0) * std::sin(z1) - std::sin(z0) * std::cos(z1);
  const double north =
      (sights[0].intercept * std::sin(z1) - sights[1].intercept * std::sin(z0)) / det;
  const double east =
      (std::cos(z0) * sights[1].intercept - std::cos(z1) * sights[0].intercept) / det;
  const QPointF crossing =
      Project(r, solution.latitude + north, solution.longitude + east / cosLat);
  ASSERT_TRUE(r.layout.chart.contains(crossing));
  ASSERT_GT(std::hypot(crossing.x() - fix.x(), crossing.y() - fix.y()), 30.0);
  const std::vector<QPointF> red = Pixels(r, IsRed);
  QPointF p[2], u[2];
  for (int i = 0; i < 2; ++i) {
    QPointF through, direction;
    LineOnChart(r, solution, sights[i], through, direction);
    FitLine(red, through, direction, crossing, 120.0, p[i], u[i]);
  }
  const QPointF found = Intersect(p[0], u[0], p[1], u[1]);
  EXPECT_NEAR(found.x(), crossing.x(), 1.0);
  EXPECT_NEAR(found.y(), crossing.y(), 1.0);

  // The left-out sight's line runs in the other colour along its whole length.
  {
    QPointF through, direction;
    LineOnChart(r, solution, sights[2], through, direction);
    const std::vector<QPointF> green = Pixels(r, IsGreen);
    int samples = 0, hits = 0;
    for (double s = -400.0; s <= 400.0; s += 20.0) {
      const QPointF at = through + s * direction;
      if (!r.layout.chart.adjusted(30, 30, -30, -30).contains(at)) continue;
      ++samples;
      hits += std::any_of(green.begin(), green.end(), [&](const QPointF& g) {
        return std::hypot(g.x() - at.x(), g.y() - at.y()) <= 2.0;
      });
    }
    EXPECT_GT(samples, 10);
    EXPECT_GE(hits, samples - 2);
  }

  // The ellipse at twice the standard errors: its farthest and nearest
  // pixels are the semi-axes, its extent the square roots of the diagonal.
  const double k = r.layout.chart.height() * r.view.scale / 2.0;
  const double kx = k * std::cos(r.view.centreLatitude * kRad);
  const double cxx = sLon * sLon * kx * kx, cyy = sLat * sLat * k * k, cxy = -cov * kx * k;
  const double trace = cxx + cyy, root = std::sqrt((cxx - cyy) * (cxx - cyy) + 4 * cxy * cxy);
  const double major = kTwoSigma * std::sqrt((trace + root) / 2);
  const double minor = kTwoSigma * std::sqrt((trace - root) / 2);
  ASSERT_GT(minor, 20.0);
  std::vector<QPointF> yellow = Pixels(r, IsYellow);
  ASSERT_FALSE(yellow.empty());
  double farthest = 0, nearest = 1e9, left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  for (const QPointF& q : yellow) {
    const double d = std::hypot(q.x() - fix.x(), q.y() - fix.y());
    farthest = std::max(farthest, d);
    nearest = std::min(nearest, d);
    left = std::min(left, q.x());
    right = std::max(right, q.x());
    top = std::min(top, q.y());
    bottom = std::max(bottom, q.y());
  }
  EXPECT_NEAR(farthest, major, 1.0);
  EXPECT_NEAR(nearest, minor, 1.0);
  EXPECT_NEAR(right - fix.x(), kTwoSigma * std::sqrt(cxx), 1.0);
  EXPECT_NEAR(fix.x() - left, kTwoSigma * std::sqrt(cxx), 1.0);
  EXPECT_NEAR(bottom - fix.y(), kTwoSigma * std::sqrt(cyy), 1.0);
  EXPECT_NEAR(fix.y() - top, kTwoSigma * std::sqrt(cyy), 1.0);
}

TEST(SightPlotPainter, EllipseOnlyWhenBothStandardErrorsArePositive) {
  struct Row {
    double sigmaLatitude, sigmaLongitude;
    bool ellipse;
  };
  const Row rows[] = {
      {0.0, 0.0, false}, {0.02, 0.0, false}, {0.0, 0.02, false}, {0.02, 0.03, true}};
  for (const Row& row : rows) {
    FixSolution solution = Solution(row.sigmaLatitude, row.sigmaLongitude, 0.0);
    const Rendered r = Render(Plot({{2, 30.0, 0.03, true, "Sun"}}, solution), 800, 600);
    EXPECT_EQ(!Pixels(r, IsYellow).empty(), row.ellipse)
        << row.sigmaLatitude << " " << row.sigmaLongitude;
    EXPECT_FALSE(Pixels(r, IsWhite).empty());  // the marker is always there
  }
}

// A full redraw of the largest plot (25 sights over four legs, a fix with
// its ellipse) at a typical window size; the window redraws on every
// command, so this bounds the response to a key.
TEST(SightPlotPainter, FullRedrawOfTheLargestPlot) {
  std::vector<Sight> sights;
  const char* bodies[] = {"Sun", "Moon", "Vega", "Kaus Australis", "Arcturus"};
  for (int i = 0; i < kMaxSights; ++i) {
    sights.push_back({i * kMaxLegs / kMaxSights, std::fmod(i * 47.0, 360.0), 0.01 * ((i % 7) - 3),
                      i % 6 != 5, bodies[i % 5]});
  }
  SightPlotDocument document = Plot(sights, Solution(0.02, 0.03, 0.0002));
  document.state.nLegs = kMaxLegs;
  document.state.legs[3] = document.state.legs[2];
  QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  const SightPlotView view = OpenPlotView(document.state);
  constexpr int kRuns = 40;
  QElapsedTimer timer;
  for (int run = -1; run < kRuns; ++run) {
    if (run == 0) timer.start();  // the first draw loads the fonts
    QPainter painter(&image);
    PaintSightPlot(painter, image.rect(), document, view, ScreenPlotPalette(), font);
  }
  const double ms = timer.nsecsElapsed() / 1e6 / kRuns;
  EXPECT_LT(ms, 100.0);  // a loose bound on a shared machine; the aim is under 20 ms
}

}  // namespace
}  // namespace navora
