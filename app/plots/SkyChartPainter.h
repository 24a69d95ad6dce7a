#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QRectF>

#include "app/plots/PlotPalette.h"
#include "app/plots/SkyChartGeometry.h"
#include "engine/planning/SppFile.h"

namespace navora {

// The sky chart drawn with a QPainter: on the left the horizon circle with
// the zenith at its centre, faint altitude rings at 30 and 60 degrees and
// azimuth spokes every 30, "000", "090", "180", "270" outside it, and every
// body at its projected place with its name, altitude and azimuth; on the
// right the title block ("SIGHT PLAN PLOT", date, time, latitude,
// longitude), a key to the star marks and the body list headed "Hc". The
// same drawing serves the window (into an off-screen image) and the printer;
// every size follows the font's line height on the device.
//
// Symbols: the Sun a disc, drawn just outside the circle on its azimuth
// when below the horizon; the Moon a disc showing its phase, lit on the side
// of its centre of light; the planets discs with a ring; stars dots in four
// sizes by magnitude, the seven selected stars ringed and the best three
// boxed, each in its own colour.

struct SkyChartLayout {
  HorizonCircle circle;  // device pixels of the painter's device
  QRectF panel;          // the title block, key and body list
};

SkyChartLayout LayOutSkyChart(const QRect& area, const QFont& font, QPaintDevice* device);

void PaintSkyChart(QPainter& painter, const QRect& area, const SkyChartState& chart,
                   const PlotPalette& palette, const QFont& font);

}  // namespace navora
