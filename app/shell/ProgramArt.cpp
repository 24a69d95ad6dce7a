#include "app/shell/ProgramArt.h"

#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <cmath>
#include <numbers>

namespace navora {
namespace {

constexpr QColor kNavy(16, 36, 72);
constexpr QColor kBrass(214, 170, 78);
constexpr QColor kIvory(244, 238, 222);
constexpr QColor kSignalRed(196, 48, 40);

constexpr double kDegreesPerTick = 10.0;
constexpr std::array kIconSizes = {16, 24, 32, 48, 64, 128, 256};

QPointF OnCircle(const QPointF& centre, double radius, double bearingDegrees) {
  const double radians = bearingDegrees * std::numbers::pi / 180.0;
  // Bearings run clockwise from north (up); screen y grows downwards.
  return centre + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}

// One point of the rose: a kite from the centre to `length` along the
// bearing, its two halves shaded as if lit from the west.
void PaintPoint(QPainter& painter, const QPointF& centre, double bearing, double length,
                double halfWidth, const QColor& light, const QColor& dark) {
  const QPointF tip = OnCircle(centre, length, bearing);
  const QPointF left = OnCircle(centre, halfWidth, bearing - 45.0);
  const QPointF right = OnCircle(centre, halfWidth, bearing + 45.0);
  painter.setBrush(light);
  painter.drawPolygon(QPolygonF({centre, left, tip}));
  painter.setBrush(dark);
  painter.drawPolygon(QPolygonF({centre, tip, right}));
}

}  // namespace

void PaintCompassRose(QPainter& painter, const QRectF& bounds) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double radius = std::min(bounds.width(), bounds.height()) / 2.0;
  const QPointF centre = bounds.center();

  // Graduated ring: a tick every ten degrees, longer at the cardinal points.
  painter.setPen(QPen(kBrass, std::max(1.0, radius * 0.03)));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius * 0.92, radius * 0.92);
  for (double bearing = 0.0; bearing < 360.0; bearing += kDegreesPerTick) {
    const bool cardinal = std::fmod(bearing, 90.0) == 0.0;
    painter.drawLine(OnCircle(centre, radius * (cardinal ? 0.74 : 0.82), bearing),
                     OnCircle(centre, radius * 0.92, bearing));
  }

  painter.setPen(QPen(kNavy.darker(150), std::max(0.5, radius * 0.01)));
  for (double bearing = 45.0; bearing < 360.0; bearing += 90.0) {
    PaintPoint(painter, centre, bearing, radius * 0.55, radius * 0.12, kIvory, kBrass);
  }
  for (double bearing = 0.0; bearing < 360.0; bearing += 90.0) {
    const QColor light = bearing == 0.0 ? kSignalRed.lighter(130) : kIvory;
    const QColor dark = bearing == 0.0 ? kSignalRed : kBrass.darker(120);
    PaintPoint(painter, centre, bearing, radius * 0.88, radius * 0.18, light, dark);
  }
  painter.setBrush(kBrass);
  painter.drawEllipse(centre, radius * 0.06, radius * 0.06);
  painter.restore();
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : kIconSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawEllipse(QRectF(0, 0, size, size));
    PaintCompassRose(painter, QRectF(0, 0, size, size).adjusted(1, 1, -1, -1));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace navora
