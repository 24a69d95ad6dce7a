#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QRectF>

#include "app/plots/PlotPalette.h"
#include "app/plots/SightPlotGeometry.h"
#include "app/tasks/SightPlotDocument.h"
#include "app/tasks/SightPlotViewModel.h"

namespace navora {

// The sight reduction plot drawn with a QPainter: the status line across the
// top; on the left the square chart with its latitude/longitude grid, the
// legs' DR tracks, the lines of position with their letters, and the fix
// with its error ellipse; on the right the "Celestial Fix" box, the "LOP ID"
// / "Body Name" table and the "Plot Spans" legend. The same drawing serves
// the window (into an off-screen image) and the printer (the page's
// rectangle with the printer palette): every size follows the font's line
// height on the device, so the print keeps the screen's proportions.

// Where the parts of the plot lie in the area, for a font on a device (the
// window maps mouse positions through the chart's projection, and
// invalidates the status line alone when only it changes).
struct SightPlotLayout {
  QRectF status;  // the status line band
  QRectF chart;   // the square chart, inside its grid labels
  QRectF panel;   // the fix box, the table and the legend
  int tableColumns = 1;  // the LOP table wraps into columns when long
};

SightPlotLayout LayOutSightPlot(const QRect& area, const SightPlotDocument& document,
                                const QFont& font, QPaintDevice* device);

// The projection of the chart of that layout for the view.
PlotProjection ChartProjection(const SightPlotLayout& layout, const SightPlotView& view);

void PaintSightPlot(QPainter& painter, const QRect& area, const SightPlotDocument& document,
                    const SightPlotView& view, const PlotPalette& palette, const QFont& font);

}  // namespace navora
