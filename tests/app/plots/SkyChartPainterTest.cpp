// The sky chart as drawn: each kind of symbol found by its colour in the
// image at the place the azimuthal equidistant projection gives (computed
// here from its definition), the Sun below the horizon just outside the
// circle, and the Moon lit on the side of its centre of light; with the
// label texts and the phase and magnitude steps. The night palette's bounds
// are checked on a chart window in the shell tests.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/plots/SkyChartPainter.h"

namespace navora {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

struct Rendered {
  QImage image;
  SkyChartLayout layout;
};

QFont TestFont() {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPixelSize(13);
  return font;
}

Rendered Render(const SkyChartState& chart, const PlotPalette& palette) {
  Rendered r{QImage(900, 620, QImage::Format_ARGB32_Premultiplied), {}};
  r.layout = LayOutSkyChart(r.image.rect(), TestFont(), &r.image);
  QPainter painter(&r.image);
  PaintSkyChart(painter, r.image.rect(), chart, palette, TestFont());
  return r;
}

// The place as the projection defines it: r = z/90 R, beyond R at R + outside.
QPointF Expected(const HorizonCircle& c, double z, double a) {
  double r = z / 90.0 * c.radius;
  if (r > c.radius) r = c.radius + c.outside;
  return {c.cx + std::round(r * std::sin(a * kRad)), c.cy - std::round(r * std::cos(a * kRad))};
}

bool Near(QColor pixel, QColor wanted, int tolerance) {
  return std::abs(pixel.red() - wanted.red()) <= tolerance &&
         std::abs(pixel.green() - wanted.green()) <= tolerance &&
         std::abs(pixel.blue() - wanted.blue()) <= tolerance;
}

// The centroid of the pixels of `colour` left of the panel, and their count.
QPointF Centroid(const Rendered& r, QColor colour, int& count, int tolerance = 3) {
  QPointF sum;
  count = 0;
  for (int y = 0; y < r.image.height(); ++y) {
    for (int x = 0; x < static_cast<int>(r.layout.panel.left()); ++x) {
      if (!Near(r.image.pixelColor(x, y), colour, tolerance)) continue;
      sum += QPointF(x + 0.5, y + 0.5);
      ++count;
    }
  }
  return count > 0 ? sum / count : QPointF();
}

template <size_t N>
void Name(char (&field)[N], const char* name) {
  std::memset(field, 0, N);
  std::memcpy(field, name, std::min(N, std::strlen(name)));
}

enum class Kind { kSun, kMoon, kPlanet, kStar };

struct Case {
  Kind kind;
  double z, a, magnitude;
  char mark;
  const char* what;
};

SkyChartState ChartOf(const Case& c) {
  SkyChartState chart;
  chart.planningTime = 2460400.75;
  switch (c.kind) {
    case Kind::kSun:
    case Kind::kMoon: {
      SkyChartLuminary& l = chart.luminaries[chart.luminaryCount++];
      Name(l.name, c.kind == Kind::kSun ? "Sun" : "Moon");
      l.zenithDistance = l.lightZenithDistance = c.z;
      l.azimuth = l.lightAzimuth = c.a;
      l.illuminatedFraction = 1.0;
      break;
    }
    case Kind::kPlanet: {
      SkyChartPlanet& p = chart.planets[chart.planetCount++];
      Name(p.name, "Jupiter");
      p.zenithDistance = c.z;
      p.azimuth = c.a;
      p.magnitude = c.magnitude;
      break;
    }
    case Kind::kStar: {
      SkyChartStar& s = chart.stars[chart.starCount++];
      Name(s.name, "Kaus Australis");  // fills its field: no NUL
      s.starNumber = 34;
      s.zenithDistance = c.z;
      s.azimuth = c.a;
      s.magnitude = c.magnitude;
      s.selectedMark = c.mark;
      break;
    }
  }
  chart.totalCount = chart.luminaryCount + chart.planetCount + chart.starCount;
  return chart;
}

QColor ColourOf(const Case& c, const PlotPalette& p) {
  switch (c.kind) {
    case Kind::kSun:
      return p.sun;
    case Kind::kMoon:
      return p.moonLit;
    case Kind::kPlanet:
      return p.planet;
    case Kind::kStar:
      return c.mark == kStarSelected    ? p.selectedStar
             : c.mark == kStarBestThree ? p.bestThreeStar
                                        : p.star;
  }
  return {};
}

TEST(SkyChartPainter, EachSymbolLiesWhereTheProjectionPutsItWithinAPixel) {
  const Case cases[] = {
      {Kind::kSun, 93.0, 250.0, 0, ' ', "Sun 3 degrees below the horizon"},
      {Kind::kSun, 95.9, 0.0, 0, ' ', "Sun near the chart's limit, north"},
      {Kind::kSun, 45.0, 33.3, 0, ' ', "Sun high"},
      {Kind::kMoon, 60.0, 135.0, 0, ' ', "full Moon"},
      {Kind::kPlanet, 30.0, 300.0, -2.1, ' ', "planet"},
      {Kind::kStar, 80.0, 10.0, 2.5, ' ', "faint plain star"},
      {Kind::kStar, 20.0, 200.0, 0.3, kStarSelected, "selected star"},
      {Kind::kStar, 0.0, 0.0, 1.0, kStarBestThree, "best-three star at the zenith"},
      {Kind::kStar, 89.5, 89.5, 1.8, ' ', "star on the horizon, east"},
  };
  const PlotPalette palette = ScreenPlotPalette();
  for (const Case& c : cases) {
    const Rendered r = Render(ChartOf(c), palette);
    int count = 0;
    const QPointF found = Centroid(r, ColourOf(c, palette), count);
    ASSERT_GE(count, 4) << c.what;
    const QPointF expected = Expected(r.layout.circle, c.z, c.a);
    const double off = std::hypot(found.x() - expected.x(), found.y() - expected.y());
    EXPECT_LE(off, 1.0) << c.what << " at " << found.x() << "," << found.y();
    if (c.z > 90.0) {
      const HorizonCircle& h = r.layout.circle;
      EXPECT_NEAR(std::hypot(found.x() - h.cx, found.y() - h.cy), h.radius + h.outside, 1.0)
          << c.what << ": just outside the circle";
    }
  }
}

// A gibbous and a crescent Moon with the centre of light to the east, the
// north-west and the south: the lit pixels lie on that side of the centre.
TEST(SkyChartPainter, MoonIsLitOnTheSideOfItsCentreOfLight) {
  const PlotPalette palette = ScreenPlotPalette();
  for (const double fraction : {0.3, 0.75}) {
    for (const double towards : {90.0, 315.0, 180.0}) {  // azimuths on the chart
      SkyChartState chart = ChartOf({Kind::kMoon, 40.0, 0.0, 0, ' ', ""});
      SkyChartLuminary& moon = chart.luminaries[0];
      moon.azimuth = 0.0;
      moon.illuminatedFraction = fraction;
      // Half a degree of the chart from the centre towards `towards`; the
      // Moon stands due north, 40 degrees from the zenith.
      const double east = 0.5 * std::sin(towards * kRad);
      const double north = 40.0 + 0.5 * std::cos(towards * kRad);
      moon.lightZenithDistance = std::hypot(east, north);
      moon.lightAzimuth = std::atan2(east, north) / kRad;
      const Rendered r = Render(chart, palette);
      int count = 0;
      const QPointF lit = Centroid(r, palette.moonLit, count, 6);
      ASSERT_GT(count, 10);
      const QPointF centre = Expected(r.layout.circle, 40.0, 0.0);
      const double shown = std::atan2(lit.x() - centre.x(), centre.y() - lit.y()) / kRad;
      EXPECT_NEAR(std::remainder(shown - towards, 360.0), 0.0, 15.0)
          << "fraction " << fraction << " towards " << towards;
    }
  }
}

TEST(SkyChartGeometry, LabelsStepsAndThresholds) {
  EXPECT_EQ(AzimuthLabel(359.6), "000");
  EXPECT_EQ(AzimuthLabel(89.5), "090");
  EXPECT_EQ(AltitudeLabel(90.0 - 5.5, true), "06");  // "%02.0f"
  EXPECT_EQ(AltitudeLabel(90.0 - 4.6, false), "05");
  EXPECT_EQ(AltitudeLabel(93.0, false), "-3");  // the Sun below the horizon

  EXPECT_EQ(ChartLatitudeText(0.0), " 00\xB0 00.0'");
  EXPECT_EQ(ChartLatitudeText(5.99999), " 06\xB0 00.0' N");  // the minutes carry
  EXPECT_EQ(ChartLongitudeText(0.0), "000\xB0 00.0'");
  EXPECT_EQ(ChartLongitudeText(-70.25), "070\xB0 15.0' W");
  EXPECT_EQ(ChartLongitudeText(190.0), "170\xB0 00.0' W");
  // 2024 Apr 4, 23:59:59.7 UTC prints as the next day's first second.
  const double late = 2460405.5 - 0.3 / 86400.0;
  EXPECT_EQ(ChartDateText(late), "05 Apr 2024");
  EXPECT_EQ(ChartTimeText(late), "00:00:00 UTC");

  const std::pair<double, int> steps[] = {{-1.5, 0}, {0.49, 0}, {0.5, 1}, {1.49, 1},
                                          {1.5, 2},  {1.99, 2}, {2.0, 3}, {3.5, 3}};
  for (const auto& [magnitude, step] : steps) EXPECT_EQ(StarSizeStep(magnitude), step) << magnitude;
  EXPECT_EQ(MoonPhaseOf(0.066), MoonPhase::kNew);
  EXPECT_EQ(MoonPhaseOf(0.067), MoonPhase::kPartial);
  EXPECT_EQ(MoonPhaseOf(0.933), MoonPhase::kPartial);
  EXPECT_EQ(MoonPhaseOf(0.934), MoonPhase::kFull);

  // Halves of a pixel round away from zero on both axes.
  const HorizonCircle c{100, 100, 90, 8};
  EXPECT_EQ(ProjectToChart(c, 0.5, 90.0).x, 101);
  EXPECT_EQ(ProjectToChart(c, 0.5, 270.0).x, 99);
  EXPECT_EQ(ProjectToChart(c, 0.5, 180.0).y, 101);
  // The lit side's direction stays in (-180, 180]: due west is 180.
  SkyChartLuminary moon;
  moon.zenithDistance = moon.lightZenithDistance = 30.0;
  moon.azimuth = 270.0;
  moon.lightAzimuth = 270.0;
  moon.lightZenithDistance = 30.5;  // farther out on azimuth 270: west
  EXPECT_DOUBLE_EQ(MoonLightDirection(c, moon), 180.0);
}

}  // namespace
}  // namespace navora
