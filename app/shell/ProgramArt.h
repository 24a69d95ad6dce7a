#pragma once

#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace navora {

// The program's picture, drawn rather than shipped so that the splash, the
// About box and the window icon need no resource files: a compass rose of
// eight points inside a graduated ring, north point picked out.
void PaintCompassRose(QPainter& painter, const QRectF& bounds);

// The compass rose on a navy disc at the usual icon sizes.
QIcon ProgramIcon();

}  // namespace navora
