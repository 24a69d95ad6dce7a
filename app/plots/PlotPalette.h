#pragma once

#include <QColor>
#include <array>

#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The colours of a plot. The two element colours mark the lines of position:
// included sights in the first, sights left out in the second. Each leg's
// track has a colour of its own; a leg's lines of position share its pen
// style (see the painter), so the legs stay apart in print without colour.
struct PlotPalette {
  QColor background;
  QColor chartBackground;  // inside the chart frame
  QColor grid;
  QColor gridLabel;
  QColor frame;
  QColor text;
  QColor panelBackground;  // behind the status line, fix box, table and legend
  QColor includedElement;
  QColor excludedElement;
  std::array<QColor, kMaxLegs> legTrack;
  QColor fixMarker;
  QColor ellipse;
  // The sky chart's bodies. The selected stars differ from the plain ones in
  // symbol as well as colour, so that they stay apart in the night palette
  // and in monochrome print.
  QColor horizon;
  QColor star;
  QColor selectedStar;   // one of the seven selected stars
  QColor bestThreeStar;  // one of the three for the best fix
  QColor planet;
  QColor sun;
  QColor moonLit;
  QColor moonDark;
};

// Light lines on a dark sheet: the element colours at full strength read well.
PlotPalette ScreenPlotPalette();

// On white paper: black text, and a darker green, since full green
// (0, 255, 0) all but vanishes on white.
PlotPalette PrinterPlotPalette();

// For a dark bridge: dim reds on near-black, nothing green or blue, since
// the eye's dark adaptation is least disturbed by long-wavelength light.
// The two element colours differ in hue as well as brightness (a bright red
// and a dim amber), so that included and excluded sights stay apart even
// where dimmed instruments flatten the difference in brightness.
PlotPalette NightPlotPalette();

}  // namespace navora
