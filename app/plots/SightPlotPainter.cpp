#include "app/plots/SightPlotPainter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/plots/PlotMetrics.h"
#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// Sizes in line heights of the plot font, so that screen and print agree.
constexpr double kStatusBand = 1.6;
constexpr double kMarkerRadius = 0.42;
constexpr double kLabelOffset = 0.75;   // a letter's distance beside its line
constexpr double kPenSample = 1.6;      // the table's sample of a line's pen
constexpr double kMinLatitudeGridGap = 2.5;
constexpr int kMostTableColumns = 3;
constexpr double kLeastChartShare = 0.9;  // of the chart's side the table may take

// Grid intervals in arc-minutes; the smallest is the labels' resolution.
constexpr std::array<double, 13> kGridSteps = {0.1, 0.2, 0.5, 1.0,  2.0,  5.0,  10.0,
                                               15.0, 20.0, 30.0, 60.0, 120.0, 300.0};

// A leg's lines of position share its pen style, so legs stay apart in
// monochrome print; the colour tells included from left out.
constexpr std::array<Qt::PenStyle, kMaxLegs> kLegStyles = {Qt::SolidLine, Qt::DashLine,
                                                           Qt::DashDotLine, Qt::DotLine};

// Text templates the fix box is sized from.
constexpr char kDateTemplate[] = "xx xxx xxxx";
constexpr char kLatitudeTemplate[] = "x  xx xx.x";
constexpr char kLongitudeTemplate[] = "x xxx xx.x";
// The widest grid labels and span value.
constexpr char kLatitudeLabelTemplate[] = "N89\xB0 59.9'";
constexpr char kLongitudeLabelTemplate[] = "W179\xB0 59.9'";
constexpr char kSpanTemplate[] = "99\xB0 59.9'";


QString Latin1(const char* text) { return QString::fromLatin1(text); }

double BodyColumnWidth(const SightPlotState& state, const PlotMetrics& m) {
  double width = m.BoldWidth(QStringLiteral("Body Name"));
  for (int i = 0; i < state.nSights; ++i) {
    width = std::max(width, m.Width(Latin1(state.reduced[i].bodyName)));
  }
  return width;
}

double LetterColumnWidth(const PlotMetrics& m) {
  return std::max(m.BoldWidth(QStringLiteral("LOP ID")),
                  kPenSample * m.line + m.pad + m.BoldWidth(QStringLiteral("W")));
}

double FixBoxHeight(const PlotMetrics& m) { return 4 * m.line + 2 * m.pad; }
double LegendHeight(const PlotMetrics& m) { return 3 * m.line + 2 * m.pad; }

SightPlotLayout LayOut(const QRect& area, const SightPlotDocument& document, const PlotMetrics& m) {
  const QRectF whole(area);
  const QRectF status(whole.left(), whole.top(), whole.width(), kStatusBand * m.line);
  const double top = status.bottom() + m.pad;
  const double bottom = whole.bottom() + 1 - m.pad;

  const double pair = LetterColumnWidth(m) + m.pad + BodyColumnWidth(document.state, m);
  const double boxWidth = std::max({m.BoldWidth(QStringLiteral("Celestial Fix")),
                                    m.Width(Latin1(kDateTemplate)),
                                    m.Width(Latin1(kLatitudeTemplate)),
                                    m.Width(Latin1(kLongitudeTemplate))});
  const double legendWidth =
      std::max(m.BoldWidth(QStringLiteral("Plot Spans")),
               m.Width(QStringLiteral("Longitude")) + m.pad + m.Width(Latin1(kSpanTemplate)));
  const double labelWidth = m.Width(Latin1(kLatitudeLabelTemplate));
  const double left = whole.left() + m.pad + labelWidth + 0.5 * m.pad;
  const double down = bottom - top - m.line - 0.5 * m.pad;

  auto withColumns = [&](int columns) {
    SightPlotLayout layout;
    layout.status = status;
    layout.tableColumns = columns;
    const double panelWidth =
        std::max({boxWidth, columns * pair + (columns - 1) * 2 * m.pad, legendWidth}) +
        2 * m.pad;
    const double across = whole.right() + 1 - left - 1.5 * m.pad - panelWidth - m.pad;
    const double side = std::max(10.0, std::floor(std::min(across, down)));
    layout.chart = QRectF(std::round(left), std::round(top), side, side);
    layout.panel = QRectF(layout.chart.right() + 1.5 * m.pad, top, panelWidth, bottom - top);
    return layout;
  };

  // A table too long for the panel wraps into columns, unless that would
  // take the chart's room; then its last rows are left out.
  const double tableHeight = bottom - top - FixBoxHeight(m) - LegendHeight(m) - 2 * m.pad;
  const int rows = std::max(1, static_cast<int>((tableHeight - 2 * m.pad) / m.line) - 1);
  const int sights = std::max(1, static_cast<int>(document.state.nSights));
  const int columns = std::clamp((sights + rows - 1) / rows, 1, kMostTableColumns);
  const SightPlotLayout narrow = withColumns(1);
  if (columns == 1) return narrow;
  const SightPlotLayout wide = withColumns(columns);
  return wide.chart.width() >= kLeastChartShare * narrow.chart.width() ? wide : narrow;
}

// The smallest step (arc-minutes) whose lines lie at least `gap` pixels apart.
double GridStep(double pixelsPerDegree, double gap) {
  for (const double step : kGridSteps) {
    if (step / kArcminutesPerDegree * pixelsPerDegree >= gap) return step;
  }
  return kGridSteps.back();
}

// "N41° 30.0'" from a whole number of grid minutes; the minutes "%4.1f".
QString GridLabel(double minutes, bool latitude) {
  const char hemisphere =
      latitude ? (minutes < 0.0 ? 'S' : 'N') : (minutes < 0.0 ? 'W' : 'E');
  const double tenths = std::round(std::fabs(minutes) * 10.0);
  const int degrees = static_cast<int>(tenths / 600.0);
  char text[32];
  std::snprintf(text, sizeof text, latitude ? "%c%02d\xB0 %4.1f'" : "%c%03d\xB0 %4.1f'", hemisphere,
                degrees, (tenths - degrees * 600.0) / 10.0);
  return Latin1(text);
}

void DrawGrid(QPainter& painter, const SightPlotLayout& layout, const PlotProjection& projection,
              const PlotPalette& palette, const PlotMetrics& m) {
  const QRectF& chart = layout.chart;
  const GeoPosition topLeft = projection.ToPosition({chart.left(), chart.top()});
  const GeoPosition bottomRight = projection.ToPosition({chart.right(), chart.bottom()});
  painter.setFont(m.font);
  const QPen gridPen(palette.grid, m.pen);

  const double latitudeStep =
      GridStep(projection.PixelsPerDegreeLatitude(), kMinLatitudeGridGap * m.line);
  const double labelWidth = m.Width(Latin1(kLongitudeLabelTemplate));
  const double longitudeStep =
      GridStep(projection.PixelsPerDegreeLongitude(), labelWidth + m.line);

  const long firstRow = std::lround(std::ceil(bottomRight.latitude * 60.0 / latitudeStep));
  const long lastRow = std::lround(std::floor(topLeft.latitude * 60.0 / latitudeStep));
  for (long n = firstRow; n <= lastRow; ++n) {
    const double minutes = n * latitudeStep;
    const double y = projection.ToPixels({minutes / 60.0, topLeft.longitude}).y;
    painter.setPen(gridPen);
    painter.drawLine(QPointF(chart.left(), y), QPointF(chart.right(), y));
    // Labels at the corners would run into the longitude labels.
    if (y < chart.top() + 0.5 * m.line || y > chart.bottom() - 0.5 * m.line) continue;
    painter.setPen(palette.gridLabel);
    const QRectF label(chart.left() - 0.5 * m.pad - labelWidth - m.pad, y - 0.5 * m.line,
                       labelWidth + m.pad, m.line);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, GridLabel(minutes, true));
  }

  // Longitudes run on through the date line; labels name them in -180..180.
  double west = topLeft.longitude;
  double east = bottomRight.longitude;
  if (east < west) east += 360.0;
  const long firstColumn = std::lround(std::ceil(west * 60.0 / longitudeStep));
  const long lastColumn = std::lround(std::floor(east * 60.0 / longitudeStep));
  for (long n = firstColumn; n <= lastColumn; ++n) {
    const double minutes = n * longitudeStep;
    const double x = projection.ToPixels({topLeft.latitude, minutes / 60.0}).x;
    painter.setPen(gridPen);
    painter.drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom()));
    // Labels stay under the chart, clear of the latitude labels and the panel.
    if (x - 0.5 * labelWidth < chart.left() || x + 0.5 * labelWidth > chart.right() + m.pad) {
      continue;
    }
    painter.setPen(palette.gridLabel);
    const double wrapped = WrapDegrees180(minutes / 60.0) * 60.0;
    const QRectF label(x - 0.5 * labelWidth - m.pad, chart.bottom() + 0.25 * m.pad,
                       labelWidth + 2 * m.pad, m.line);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, GridLabel(wrapped, false));
  }
}

void DrawTracks(QPainter& painter, const SightPlotDocument& document,
                const PlotProjection& projection, const PlotPalette& palette,
                const PlotMetrics& m) {
  for (const LegTrack& track : LegTracks(document)) {
    const QColor colour = palette.legTrack[track.leg % kMaxLegs];
    const PlotPoint end = projection.ToPixels(track.end);
    painter.setPen(QPen(colour, 2 * m.pen, Qt::SolidLine, Qt::RoundCap));
    if (track.hasStart) {
      const PlotPoint start = projection.ToPixels(track.start);
      painter.drawLine(QPointF(start.x, start.y), QPointF(end.x, end.y));
      painter.setBrush(colour);
      painter.drawEllipse(QPointF(start.x, start.y), 1.5 * m.pen, 1.5 * m.pen);
    }
    painter.setBrush(palette.chartBackground);
    painter.drawEllipse(QPointF(end.x, end.y), 0.22 * m.line, 0.22 * m.line);
  }
  painter.setBrush(Qt::NoBrush);
}

QPen LinePen(const LineOfPosition& line, const PlotPalette& palette, const PlotMetrics& m) {
  const bool included = line.state == LopState::kIncluded;
  QPen pen(included ? palette.includedElement : palette.excludedElement,
           included ? 1.5 * m.pen : m.pen);
  pen.setStyle(kLegStyles[line.legIndex % kMaxLegs]);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

struct DrawnLine {
  const LineOfPosition* line;
  QPointF from, to;
};

// The letter of each line beside it near one of its ends, sliding inward
// until it clears the letters placed before it and the fix marker.
void DrawLetters(QPainter& painter, const std::vector<DrawnLine>& drawn, const QRectF& chart,
                 const QRectF& marker, const PlotPalette& palette, const PlotMetrics& m) {
  painter.setFont(m.bold);
  const QRectF inside = chart.adjusted(2, 2, -2, -2);
  std::vector<QRectF> placed{marker};
  for (const DrawnLine& d : drawn) {
    const QString letter(QChar(d.line->letter));
    const QSizeF size(m.BoldWidth(letter) + 0.5 * m.pad, m.line);
    const QPointF along = d.to - d.from;
    const double length = std::hypot(along.x(), along.y());
    if (length < 1.0) continue;
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    QRectF chosen;
    bool found = false;
    for (double s = 1.2 * m.line; s <= 0.5 * length && !found; s += 1.2 * m.line) {
      for (const double sign : {1.0, -1.0}) {
        for (const QPointF& end : {d.to, d.from}) {
          const QPointF at = end + ((end == d.to) ? -s : s) * unit + sign * kLabelOffset * m.line * normal;
          const QRectF rect(at - QPointF(size.width() / 2, size.height() / 2), size);
          if (!inside.contains(rect)) continue;
          if (std::any_of(placed.begin(), placed.end(),
                          [&](const QRectF& other) { return other.intersects(rect); })) {
            continue;
          }
          chosen = rect;
          found = true;
          break;
        }
        if (found) break;
      }
    }
    if (!found) continue;  // crowded out: the table still names the line
    placed.push_back(chosen);
    QColor fill = palette.chartBackground;
    fill.setAlpha(200);
    painter.fillRect(chosen, fill);
    painter.setPen(d.line->state == LopState::kIncluded ? palette.includedElement
                                                        : palette.excludedElement);
    painter.drawText(chosen, Qt::AlignCenter, letter);
  }
}

void DrawFix(QPainter& painter, const SightPlotState& state, const PlotProjection& projection,
             const PlotPalette& palette, const PlotMetrics& m) {
  PixelEllipse ellipse;
  if (ProjectErrorEllipse(state.solution, projection, ellipse)) {
    QPolygonF outline;
    for (const PlotPoint& p : EllipsePolygon(ellipse)) outline << QPointF(p.x, p.y);
    painter.setPen(QPen(palette.ellipse, m.pen));
    painter.drawPolyline(outline);
  }
  const PlotPoint fix = projection.ToPixels({state.solution.latitude, state.solution.longitude});
  const QPointF centre(fix.x, fix.y);
  const double r = kMarkerRadius * m.line;
  painter.setPen(QPen(palette.fixMarker, 1.5 * m.pen));
  // A fix is a ringed dot; the DR position at the time of fix, before one,
  // a boxed dot.
  if (state.fixCalculated != 0) {
    painter.drawEllipse(centre, r, r);
  } else {
    painter.drawRect(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)));
  }
  painter.setBrush(palette.fixMarker);
  painter.drawEllipse(centre, 1.5 * m.pen, 1.5 * m.pen);
  painter.setBrush(Qt::NoBrush);
}

void DrawChart(QPainter& painter, const SightPlotDocument& document, const SightPlotView& view,
               const SightPlotLayout& layout, const PlotPalette& palette, const PlotMetrics& m) {
  const QRectF& chart = layout.chart;
  const PlotProjection projection = ChartProjection(layout, view);
  painter.fillRect(chart, palette.chartBackground);
  DrawGrid(painter, layout, projection, palette, m);

  painter.save();
  painter.setClipRect(chart);
  DrawTracks(painter, document, projection, palette, m);

  const std::vector<LineOfPosition> lines = LinesOfPosition(document.state);
  std::vector<DrawnLine> drawn;
  for (const LopState pass : {LopState::kExcluded, LopState::kIncluded}) {
    for (const LineOfPosition& line : lines) {
      if (line.state != pass) continue;
      const PlotPoint p = projection.ToPixels(PointOnLine(line, 0.0));
      const PlotPoint q = projection.ToPixels(PointOnLine(line, 1.0));
      PlotPoint from, to;
      if (!ClipLineToRect(p, q, chart.left(), chart.top(), chart.right(), chart.bottom(), from,
                          to)) {
        continue;
      }
      painter.setPen(LinePen(line, palette, m));
      painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
      drawn.push_back({&line, QPointF(from.x, from.y), QPointF(to.x, to.y)});
    }
  }
  DrawFix(painter, document.state, projection, palette, m);
  const PlotPoint fix = projection.ToPixels(
      {document.state.solution.latitude, document.state.solution.longitude});
  const double r = (kMarkerRadius + 0.2) * m.line;
  DrawLetters(painter, drawn, chart, QRectF(fix.x - r, fix.y - r, 2 * r, 2 * r), palette, m);
  painter.restore();

  painter.setPen(QPen(palette.frame, m.pen));
  painter.drawRect(chart);
}

QRectF DrawBox(QPainter& painter, const QRectF& rect, const PlotPalette& palette,
               const PlotMetrics& m, const QString& title) {
  painter.setPen(QPen(palette.frame, m.pen));
  painter.setBrush(palette.panelBackground);
  painter.drawRoundedRect(rect, 0.3 * m.line, 0.3 * m.line);
  painter.setBrush(Qt::NoBrush);
  painter.setFont(m.bold);
  painter.setPen(palette.text);
  const QRectF inner = rect.adjusted(m.pad, m.pad, -m.pad, -m.pad);
  painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), m.line), Qt::AlignHCenter,
                   title);
  painter.setFont(m.font);
  return QRectF(inner.left(), inner.top() + m.line, inner.width(), inner.height() - m.line);
}

void DrawFixBox(QPainter& painter, const QRectF& rect, const SightPlotState& state,
                const PlotPalette& palette, const PlotMetrics& m) {
  const QRectF body = DrawBox(painter, rect, palette, m, QStringLiteral("Celestial Fix"));
  int16_t year = 0, month = 0, day = 0;
  JulianDayToCalendar(static_cast<int32_t>(std::trunc(state.timeOfFix + 0.5)), year, month, day);
  const char* monthName = MonthAbbreviation(month - 1);
  char date[32], latitude[32] = "", longitude[32] = "";
  std::snprintf(date, sizeof date, "%02d %3s %04d", day, monthName != nullptr ? monthName : "???",
                year);
  if (FormatLatLon(state.solution.latitude, kLatitudeFlag | 1, latitude, sizeof latitude) !=
          kStatusOk ||
      FormatLatLon(state.solution.longitude, 1, longitude, sizeof longitude) != kStatusOk) {
    latitude[0] = longitude[0] = '\0';
  }
  // Before a fix the box holds the DR position at the time of fix, dimmed.
  painter.setPen(state.fixCalculated != 0 ? palette.text : palette.gridLabel);
  const char* rows[] = {date, latitude, longitude};
  const double width = m.Width(Latin1(kDateTemplate));
  const double left = body.left() + 0.5 * (body.width() - width);
  for (int i = 0; i < 3; ++i) {
    painter.drawText(QRectF(left, body.top() + i * m.line, body.right() - left, m.line),
                     Qt::AlignLeft | Qt::AlignVCenter, Latin1(rows[i]));
  }
}

void DrawTable(QPainter& painter, const QRectF& rect, const SightPlotLayout& layout,
               const SightPlotState& state, const PlotPalette& palette, const PlotMetrics& m) {
  painter.setPen(QPen(palette.frame, m.pen));
  painter.setBrush(palette.panelBackground);
  painter.drawRoundedRect(rect, 0.3 * m.line, 0.3 * m.line);
  painter.setBrush(Qt::NoBrush);
  const QRectF inner = rect.adjusted(m.pad, m.pad, -m.pad, -m.pad);
  const double letterWidth = LetterColumnWidth(m);
  const double pair = letterWidth + m.pad + BodyColumnWidth(state, m);
  const int columns = layout.tableColumns;
  const int rows = std::max(1, (state.nSights + columns - 1) / columns);
  const std::vector<LineOfPosition> lines = LinesOfPosition(state);
  for (int c = 0; c < columns; ++c) {
    const double x = inner.left() + c * (pair + 2 * m.pad);
    painter.setFont(m.bold);
    painter.setPen(palette.text);
    painter.drawText(QRectF(x, inner.top(), letterWidth, m.line), Qt::AlignLeft,
                     QStringLiteral("LOP ID"));
    painter.drawText(QRectF(x + letterWidth + m.pad, inner.top(), pair, m.line), Qt::AlignLeft,
                     QStringLiteral("Body Name"));
    painter.setFont(m.font);
    for (int r = 0; r < rows; ++r) {
      const int i = c * rows + r;
      if (i >= state.nSights) break;
      const LineOfPosition& line = lines[i];
      const double y = inner.top() + (r + 1) * m.line;
      // A column cut short ends in an ellipsis; the letters still name the lines.
      const bool lastFitting = y + 2 * m.line > inner.bottom() + m.pad;
      if (lastFitting && i + 1 < state.nSights && r + 1 < rows) {
        painter.setPen(palette.gridLabel);
        painter.drawText(QRectF(x + kPenSample * m.line + m.pad, y, pair, m.line),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("..."));
        break;
      }
      const bool far = line.state == LopState::kFar;
      if (!far) {
        painter.setPen(LinePen(line, palette, m));
        const double mid = y + 0.5 * m.line;
        painter.drawLine(QPointF(x, mid), QPointF(x + kPenSample * m.line, mid));
      }
      painter.setPen(far ? palette.gridLabel : palette.text);
      painter.drawText(QRectF(x + kPenSample * m.line + m.pad, y, letterWidth, m.line),
                       Qt::AlignLeft | Qt::AlignVCenter, QString(QChar(line.letter)));
      painter.drawText(QRectF(x + letterWidth + m.pad, y, pair, m.line),
                       Qt::AlignLeft | Qt::AlignVCenter, Latin1(state.reduced[i].bodyName));
    }
  }
}

void DrawLegend(QPainter& painter, const QRectF& rect, const SightPlotView& view,
                const PlotPalette& palette, const PlotMetrics& m) {
  const QRectF body = DrawBox(painter, rect, palette, m, QStringLiteral("Plot Spans"));
  const PlotSpanTexts spans = PlotSpans(view);
  painter.setPen(palette.text);
  const std::pair<const char*, const std::string*> rows[] = {{"Latitude", &spans.latitude},
                                                             {"Longitude", &spans.longitude}};
  for (int i = 0; i < 2; ++i) {
    const QRectF row(body.left(), body.top() + i * m.line, body.width(), m.line);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Latin1(rows[i].first));
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, Latin1(rows[i].second->c_str()));
  }
}

}  // namespace

SightPlotLayout LayOutSightPlot(const QRect& area, const SightPlotDocument& document,
                                const QFont& font, QPaintDevice* device) {
  return LayOut(area, document, PlotMetrics(font, device));
}

PlotProjection ChartProjection(const SightPlotLayout& layout, const SightPlotView& view) {
  return PlotProjection(view, layout.chart.left(), layout.chart.top(), layout.chart.width(),
                        layout.chart.height());
}

void PaintSightPlot(QPainter& painter, const QRect& area, const SightPlotDocument& document,
                    const SightPlotView& view, const PlotPalette& palette, const QFont& font) {
  const PlotMetrics m(font, painter.device());
  const SightPlotLayout layout = LayOut(area, document, m);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(area, palette.background);

  painter.fillRect(layout.status, palette.panelBackground);
  painter.setFont(m.bold);
  painter.setPen(palette.text);
  painter.drawText(layout.status.adjusted(m.pad, 0, -m.pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(PlotStatusText(document)));

  DrawChart(painter, document, view, layout, palette, m);

  const QRectF& panel = layout.panel;
  const QRectF box(panel.left(), panel.top(), panel.width(), FixBoxHeight(m));
  const QRectF legend(panel.left(), panel.bottom() - LegendHeight(m), panel.width(),
                      LegendHeight(m));
  const QRectF table(panel.left(), box.bottom() + m.pad, panel.width(),
                     legend.top() - m.pad - box.bottom() - m.pad);
  DrawFixBox(painter, box, document.state, palette, m);
  DrawTable(painter, table, layout, document.state, palette, m);
  DrawLegend(painter, legend, view, palette, m);
  painter.restore();
}

}  // namespace navora
