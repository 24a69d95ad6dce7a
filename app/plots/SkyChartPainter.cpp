#include "app/plots/SkyChartPainter.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/plots/PlotMetrics.h"

namespace navora {
namespace {

// Symbol sizes are in units of a fourteenth of the font's line height: a
// unit is a pixel with the default 9-point font on a screen.
constexpr double kLinesPerUnit = 1.0 / 14.0;
constexpr double kOutsideUnits = 8.0;  // a body below the horizon, beyond the circle
constexpr double kMoonUnits = 8.0;     // the Moon's radius
constexpr double kSunUnits = 6.0;
constexpr double kPlanetUnits = 3.5;
constexpr double kPlanetRingUnits = 6.0;
constexpr double kStarUnits[] = {4.5, 3.5, 2.6, 1.8};  // by StarSizeStep
constexpr double kMarkGapUnits = 2.8;                  // from a star's dot to its mark

constexpr double kRingAltitudes[] = {30.0, 60.0};  // degrees
constexpr double kSpokeStepDeg = 30.0;
constexpr int kFaintLabelStep = 2;  // plain stars this faint give up a crowded label

constexpr char kTitle[] = "SIGHT PLAN PLOT";
constexpr char kNameTemplate[] = "Kaus Australis";  // the longest name of the chart
constexpr char kRowTemplate[] = "Kaus Australis  -5  359 7";

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
QString Latin1(const char* text) { return QString::fromLatin1(text); }

// A record's name: its field need not end in a NUL when the name fills it.
template <size_t N>
std::string Name(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

struct Units {
  double unit;
  explicit Units(const PlotMetrics& m) : unit(m.line * kLinesPerUnit) {}
  double operator()(double units) const { return units * unit; }
};

double PanelWidth(const PlotMetrics& m) {
  return std::max({m.BoldWidth(Latin1(kTitle)), m.Width(Latin1(kRowTemplate)),
                   m.Width(QStringLiteral("Lon:  000\xB0 00.0' W"))}) +
         2 * m.pad;
}

// Room outside the circle: the Sun below the horizon, then the compass labels.
double LabelRing(const PlotMetrics& m, const Units& u) {
  return u(kOutsideUnits + kSunUnits) + 0.3 * m.pad;
}

SkyChartLayout LayOut(const QRect& area, const PlotMetrics& m) {
  const Units u(m);
  const QRectF whole(area);
  const double panelWidth = PanelWidth(m);
  const double margin = LabelRing(m, u) + m.line + m.pad;  // beyond the radius
  const double across = whole.width() - panelWidth - 3 * m.pad;
  const double down = whole.height() - 2 * m.pad;
  const double side = std::max(40.0, std::min(across, down));
  const double total = side + m.pad + panelWidth;
  const double left = whole.left() + std::max(m.pad, 0.5 * (whole.width() - total));

  SkyChartLayout layout;
  layout.circle.radius = std::max(10, static_cast<int>(std::floor(0.5 * side - margin)));
  layout.circle.cx = static_cast<int>(std::lround(left + 0.5 * side));
  layout.circle.cy = static_cast<int>(std::lround(whole.top() + 0.5 * whole.height()));
  layout.circle.outside = std::max(1, static_cast<int>(std::lround(u(kOutsideUnits))));
  layout.panel = QRectF(left + side + m.pad, whole.top() + m.pad, panelWidth, down);
  return layout;
}

// One body as drawn: its place, the room its symbol takes, and its label.
struct Body {
  QPointF at;
  double radius = 0.0;  // of the whole symbol
  QString name;
  QString numbers;  // "alt azm"
  QColor labelColour;
  bool mayDropLabel = false;
};

QRectF Around(QPointF at, double radius) {
  return QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius);
}

void Disc(QPainter& painter, QPointF at, double radius, const QColor& fill, const QPen& outline) {
  painter.setPen(outline);
  painter.setBrush(fill);
  painter.drawEllipse(at, radius, radius);
  painter.setBrush(Qt::NoBrush);
}

void DrawGrid(QPainter& painter, const HorizonCircle& c, const PlotPalette& palette,
              const PlotMetrics& m) {
  const QPointF centre(c.cx, c.cy);
  Disc(painter, centre, c.radius, palette.chartBackground, Qt::NoPen);
  QPen grid(palette.grid, m.pen, Qt::DotLine);
  painter.setPen(grid);
  for (const double altitude : kRingAltitudes) {
    const double r = (90.0 - altitude) / 90.0 * c.radius;
    painter.drawEllipse(centre, r, r);
  }
  grid.setStyle(Qt::SolidLine);
  painter.setPen(grid);
  for (double a = 0.0; a < 360.0; a += kSpokeStepDeg) {
    const double s = std::sin(a * M_PI / 180.0), k = std::cos(a * M_PI / 180.0);
    painter.drawLine(QPointF(c.cx + 0.1 * c.radius * s, c.cy - 0.1 * c.radius * k),
                     QPointF(c.cx + c.radius * s, c.cy - c.radius * k));
  }
  // The zenith, where the spokes would crowd.
  const double cross = 0.05 * c.radius;
  painter.drawLine(QPointF(c.cx - cross, c.cy), QPointF(c.cx + cross, c.cy));
  painter.drawLine(QPointF(c.cx, c.cy - cross), QPointF(c.cx, c.cy + cross));
  painter.setPen(QPen(palette.horizon, 1.5 * m.pen));
  painter.drawEllipse(centre, c.radius, c.radius);
}

// "000" above north, "090" right of east, "180" below south, "270" left of
// west; their rectangles, which labels keep clear of.
std::vector<QRectF> DrawCompassLabels(QPainter& painter, const HorizonCircle& c,
                                      const PlotPalette& palette, const PlotMetrics& m) {
  const Units u(m);
  const double d = c.radius + LabelRing(m, u);
  const double w = m.BoldWidth(QStringLiteral("000")), h = m.line;
  const std::vector<std::pair<QRectF, const char*>> labels = {
      {QRectF(c.cx - w / 2, c.cy - d - h, w, h), "000"},
      {QRectF(c.cx + d, c.cy - h / 2, w, h), "090"},
      {QRectF(c.cx - w / 2, c.cy + d, w, h), "180"},
      {QRectF(c.cx - d - w, c.cy - h / 2, w, h), "270"}};
  painter.setFont(m.bold);
  painter.setPen(palette.gridLabel);
  std::vector<QRectF> rects;
  for (const auto& [rect, text] : labels) {
    painter.drawText(rect, Qt::AlignCenter, Latin1(text));
    rects.push_back(rect);
  }
  return rects;
}

QPointF Place(const HorizonCircle& c, double zenithDistance, double azimuth) {
  const ChartPixel p = ProjectToChart(c, zenithDistance, azimuth);
  return QPointF(p.x, p.y);
}

QString Numbers(double zenithDistance, double azimuth, bool star) {
  return Latin1(AltitudeLabel(zenithDistance, star) + ' ' + AzimuthLabel(azimuth));
}

QColor StarColour(char mark, const PlotPalette& palette) {
  if (mark == kStarSelected) return palette.selectedStar;
  if (mark == kStarBestThree) return palette.bestThreeStar;
  return palette.star;
}

// A star's dot; a selected star ringed, one of the best three boxed.
double DrawStarSymbol(QPainter& painter, QPointF at, int step, char mark,
                      const PlotPalette& palette, const PlotMetrics& m) {
  const Units u(m);
  const QColor colour = StarColour(mark, palette);
  const double dot = u(kStarUnits[step]);
  Disc(painter, at, dot, colour, Qt::NoPen);
  if (mark != kStarSelected && mark != kStarBestThree) return dot;
  const double r = std::max(dot, u(kStarUnits[1])) + u(kMarkGapUnits);
  painter.setPen(QPen(colour, 1.2 * m.pen));
  if (mark == kStarSelected) {
    painter.drawEllipse(at, r, r);
  } else {
    painter.drawRect(Around(at, r));
  }
  return r;
}

// The lit part of the Moon in a frame turned so that its lit side is +x:
// the lit limb from -90 to +90 degrees, closed by the terminator, a half
// ellipse of semi-axis |2k - 1| r across the disc (on the dark side when more
// than half is lit).
QPainterPath LitPart(double r, double fraction) {
  const double b = std::fabs(2.0 * fraction - 1.0) * r;
  QPainterPath path;
  path.moveTo(0.0, -r);
  path.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 90.0, -180.0);
  path.arcTo(QRectF(-b, -r, 2 * b, 2 * r), 270.0, fraction > 0.5 ? -180.0 : 180.0);
  path.closeSubpath();
  return path;
}

void DrawMoon(QPainter& painter, QPointF at, const HorizonCircle& c, const SkyChartLuminary& moon,
              const PlotPalette& palette, const PlotMetrics& m) {
  const double r = Units(m)(kMoonUnits);
  const QPen outline(palette.horizon, m.pen);
  switch (MoonPhaseOf(moon.illuminatedFraction)) {
    case MoonPhase::kNew:
      Disc(painter, at, r, palette.moonDark, outline);
      return;
    case MoonPhase::kFull:
      Disc(painter, at, r, palette.moonLit, outline);
      return;
    case MoonPhase::kPartial:
      break;
  }
  Disc(painter, at, r, palette.moonDark, Qt::NoPen);
  painter.save();
  painter.translate(at);
  painter.rotate(-MoonLightDirection(c, moon));  // anticlockwise on the page
  painter.fillPath(LitPart(r, moon.illuminatedFraction), palette.moonLit);
  painter.restore();
  Disc(painter, at, r, Qt::transparent, outline);
}

// The bodies drawn faint stars first, the Sun last, so the important
// symbols stay on top; the labels' order is the reverse.
std::vector<Body> DrawBodies(QPainter& painter, const SkyChartState& chart, const HorizonCircle& c,
                             const PlotPalette& palette, const PlotMetrics& m) {
  const Units u(m);
  std::vector<Body> bodies;
  std::vector<int> order(static_cast<size_t>(std::max(0, chart.starCount)));
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    auto rank = [&](const SkyChartStar& s) {
      return s.selectedMark == kStarBestThree ? 2 : s.selectedMark == kStarSelected ? 1 : 0;
    };
    const SkyChartStar& sa = chart.stars[a];
    const SkyChartStar& sb = chart.stars[b];
    if (rank(sa) != rank(sb)) return rank(sa) < rank(sb);
    return sa.magnitude > sb.magnitude;
  });
  for (const int i : order) {
    const SkyChartStar& star = chart.stars[i];
    const QPointF at = Place(c, star.zenithDistance, star.azimuth);
    const int step = StarSizeStep(star.magnitude);
    const double r = DrawStarSymbol(painter, at, step, star.selectedMark, palette, m);
    const bool plain = star.selectedMark != kStarSelected && star.selectedMark != kStarBestThree;
    bodies.push_back({at, r, Latin1(Name(star.name)),
                      Numbers(star.zenithDistance, star.azimuth, true),
                      plain ? palette.gridLabel : palette.text, plain && step >= kFaintLabelStep});
  }
  for (int i = 0; i < chart.planetCount; ++i) {
    const SkyChartPlanet& planet = chart.planets[i];
    const QPointF at = Place(c, planet.zenithDistance, planet.azimuth);
    Disc(painter, at, u(kPlanetUnits), palette.planet, Qt::NoPen);
    const double ring = u(kPlanetRingUnits);
    painter.setPen(QPen(palette.planet, 1.2 * m.pen));
    painter.drawEllipse(at, ring, ring);
    bodies.push_back({at, ring, Latin1(Name(planet.name)),
                      Numbers(planet.zenithDistance, planet.azimuth, false), palette.text});
  }
  // The Moon, then the Sun on top.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < chart.luminaryCount; ++i) {
      const SkyChartLuminary& body = chart.luminaries[i];
      const bool sun = Name(body.name) == "Sun";
      if (sun != (pass == 1)) continue;
      const QPointF at = Place(c, body.zenithDistance, body.azimuth);
      double r = u(kMoonUnits);
      if (sun) {
        r = u(kSunUnits);
        Disc(painter, at, r, palette.sun, QPen(palette.sun.darker(130), m.pen));
      } else {
        DrawMoon(painter, at, c, body, palette, m);
      }
      bodies.push_back({at, r, Latin1(Name(body.name)),
                        Numbers(body.zenithDistance, body.azimuth, false), palette.text});
    }
  }
  return bodies;
}

double OverlapArea(const QRectF& rect, const std::vector<QRectF>& taken) {
  double area = 0.0;
  for (const QRectF& other : taken) {
    const QRectF common = rect.intersected(other);
    if (!common.isEmpty()) area += common.width() * common.height();
  }
  return area;
}

// Each label in the first free place around its symbol (right, left, above,
// below, the diagonals, then the same farther out), the important bodies
// first; where every place is taken, the least covered one, except that a
// faint plain star then goes unnamed.
void DrawLabels(QPainter& painter, const std::vector<Body>& bodies, std::vector<QRectF> taken,
                const QRectF& bounds, const PlotMetrics& m) {
  for (const Body& body : bodies) taken.push_back(Around(body.at, body.radius));
  painter.setFont(m.font);
  const double h = 2 * m.line;
  for (auto body = bodies.rbegin(); body != bodies.rend(); ++body) {
    const double w = std::max(m.Width(body->name), m.Width(body->numbers));
    const double x = body->at.x(), y = body->at.y();
    QRectF best;
    double bestOverlap = HUGE_VAL;
    for (const double farther : {0.0, m.line}) {
      const double d = body->radius + 0.25 * m.pad + farther;
      const double e = 0.7 * d;
      const QPointF corners[] = {
          {x + d, y - h / 2}, {x - d - w, y - h / 2}, {x - w / 2, y - d - h}, {x - w / 2, y + d},
          {x + e, y - e - h}, {x + e, y + e},         {x - e - w, y - e - h}, {x - e - w, y + e}};
      for (const QPointF& corner : corners) {
        const QRectF rect(corner, QSizeF(w, h));
        if (!bounds.contains(rect)) continue;
        const double overlap = OverlapArea(rect, taken);
        if (overlap < bestOverlap) {
          best = rect;
          bestOverlap = overlap;
        }
        if (overlap == 0.0) break;
      }
      if (bestOverlap == 0.0) break;
    }
    if (best.isNull() || (bestOverlap > 0.0 && body->mayDropLabel)) continue;
    taken.push_back(best);
    painter.setPen(body->labelColour);
    const Qt::Alignment side = best.center().x() < x - 1.0 ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(QRectF(best.left(), best.top(), w, m.line), side | Qt::AlignVCenter,
                     body->name);
    painter.drawText(QRectF(best.left(), best.top() + m.line, w, m.line), side | Qt::AlignVCenter,
                     body->numbers);
  }
}

// One row of the body list.
struct Row {
  std::string name;
  std::string altitude;
  std::string azimuth;
  char mark = ' ';
  double altitudeDeg = 0.0;
};

std::vector<Row> ListRows(const SkyChartState& chart) {
  std::vector<Row> rows;
  auto add = [&rows](const std::string& name, double z, double a, bool star, char mark) {
    rows.push_back({name, AltitudeLabel(z, star), AzimuthLabel(a), mark, 90.0 - z});
  };
  for (int i = 0; i < chart.luminaryCount; ++i) {
    const SkyChartLuminary& l = chart.luminaries[i];
    add(Name(l.name), l.zenithDistance, l.azimuth, false, ' ');
  }
  for (int i = 0; i < chart.planetCount; ++i) {
    const SkyChartPlanet& p = chart.planets[i];
    add(Name(p.name), p.zenithDistance, p.azimuth, false, ' ');
  }
  const size_t firstStar = rows.size();
  for (int i = 0; i < chart.starCount; ++i) {
    const SkyChartStar& s = chart.stars[i];
    add(Name(s.name), s.zenithDistance, s.azimuth, true, s.selectedMark);
  }
  // The best three, the other selected stars, then the rest from the highest.
  auto rank = [](char mark) { return mark == kStarBestThree ? 0 : mark == kStarSelected ? 1 : 2; };
  std::stable_sort(rows.begin() + static_cast<std::ptrdiff_t>(firstStar), rows.end(),
                   [&rank](const Row& a, const Row& b) {
                     if (rank(a.mark) != rank(b.mark)) return rank(a.mark) < rank(b.mark);
                     return a.altitudeDeg > b.altitudeDeg;
                   });
  return rows;
}

void DrawPanel(QPainter& painter, const QRectF& panel, const SkyChartState& chart,
               const PlotPalette& palette, const PlotMetrics& m) {
  const Units u(m);
  painter.setPen(QPen(palette.frame, m.pen));
  painter.setBrush(palette.panelBackground);
  painter.drawRoundedRect(panel, 0.3 * m.line, 0.3 * m.line);
  painter.setBrush(Qt::NoBrush);
  const QRectF inner = panel.adjusted(m.pad, m.pad, -m.pad, -m.pad);
  double y = inner.top();
  auto line = [&](const QString& text, const QFont& font, const QColor& colour) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRectF(inner.left(), y, inner.width(), m.line),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    y += m.line;
  };
  line(Latin1(kTitle), m.bold, palette.text);
  y += 0.3 * m.line;
  line(Latin1("Date: " + ChartDateText(chart.planningTime)), m.font, palette.text);
  line(Latin1("Time: " + ChartTimeText(chart.planningTime)), m.font, palette.text);
  line(Latin1("Lat:" + ChartLatitudeText(chart.observer.latitude)), m.font, palette.text);
  line(Latin1("Lon:  " + ChartLongitudeText(chart.observer.longitude)), m.font, palette.text);
  y += 0.5 * m.line;

  // The key to the star marks.
  const std::pair<char, const char*> keys[] = {{kStarSelected, "7 selected stars"},
                                               {kStarBestThree, "3 for the best fix"}};
  for (const auto& [mark, text] : keys) {
    DrawStarSymbol(painter, QPointF(inner.left() + u(8), y + 0.5 * m.line), 1, mark, palette, m);
    painter.setFont(m.font);
    painter.setPen(StarColour(mark, palette));
    painter.drawText(QRectF(inner.left() + u(20), y, inner.width() - u(20), m.line),
                     Qt::AlignLeft | Qt::AlignVCenter, Latin1(text));
    y += m.line + 0.2 * m.pad;
  }
  y += 0.5 * m.line;

  // The list: name, Hc and Zn columns, the mark after them.
  const double nameWidth = m.Width(Latin1(kNameTemplate)) + m.pad;
  const double numberWidth = m.Width(QStringLiteral("-00"));
  const double hcRight = inner.left() + nameWidth + numberWidth;
  const double znRight = hcRight + 0.5 * m.pad + m.Width(QStringLiteral("000"));
  auto row = [&](const QString& name, const QString& hc, const QString& zn, const QString& mark) {
    painter.drawText(QRectF(inner.left(), y, nameWidth, m.line), Qt::AlignLeft | Qt::AlignVCenter,
                     name);
    painter.drawText(QRectF(hcRight - numberWidth - m.pad, y, numberWidth + m.pad, m.line),
                     Qt::AlignRight | Qt::AlignVCenter, hc);
    painter.drawText(QRectF(znRight - 3 * numberWidth, y, 3 * numberWidth, m.line),
                     Qt::AlignRight | Qt::AlignVCenter, zn);
    painter.drawText(QRectF(znRight + 0.5 * m.pad, y, m.line, m.line),
                     Qt::AlignLeft | Qt::AlignVCenter, mark);
    y += m.line;
  };
  painter.setFont(m.bold);
  painter.setPen(palette.text);
  row(QString(), QStringLiteral("Hc"), QStringLiteral("Zn"), QString());
  painter.setPen(QPen(palette.grid, m.pen));
  painter.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
  y += 0.2 * m.pad;
  painter.setFont(m.font);
  const std::vector<Row> rows = ListRows(chart);
  for (size_t i = 0; i < rows.size(); ++i) {
    const bool lastLine = y + 2 * m.line > inner.bottom() + 0.5 * m.pad;
    if (lastLine && i + 1 < rows.size()) {
      painter.setPen(palette.gridLabel);
      row(QStringLiteral("... %1 more").arg(rows.size() - i), QString(), QString(), QString());
      break;
    }
    const Row& r = rows[i];
    const bool marked = r.mark == kStarSelected || r.mark == kStarBestThree;
    painter.setPen(marked ? StarColour(r.mark, palette) : palette.text);
    row(Latin1(r.name), Latin1(r.altitude), Latin1(r.azimuth),
        marked ? QString(QChar(r.mark)) : QString());
  }
}

}  // namespace

SkyChartLayout LayOutSkyChart(const QRect& area, const QFont& font, QPaintDevice* device) {
  return LayOut(area, PlotMetrics(font, device));
}

void PaintSkyChart(QPainter& painter, const QRect& area, const SkyChartState& chart,
                   const PlotPalette& palette, const QFont& font) {
  const PlotMetrics m(font, painter.device());
  const SkyChartLayout layout = LayOut(area, m);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(area, palette.background);
  DrawGrid(painter, layout.circle, palette, m);
  const std::vector<QRectF> compass = DrawCompassLabels(painter, layout.circle, palette, m);
  const std::vector<Body> bodies = DrawBodies(painter, chart, layout.circle, palette, m);
  const QRectF bounds(QPointF(area.left(), area.top()),
                      QPointF(layout.panel.left() - 0.5 * m.pad, area.bottom() + 1));
  DrawLabels(painter, bodies, compass, bounds, m);
  DrawPanel(painter, layout.panel, chart, palette, m);
  painter.restore();
}

}  // namespace navora
