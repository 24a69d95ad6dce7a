#include "app/plots/PlotPalette.h"

namespace navora {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

}  // namespace

PlotPalette ScreenPlotPalette() {
  PlotPalette palette;
  palette.background = QColor(18, 24, 38);
  palette.chartBackground = QColor(10, 18, 34);
  palette.grid = QColor(48, 66, 96);
  palette.gridLabel = QColor(150, 170, 200);
  palette.frame = QColor(110, 130, 160);
  palette.text = QColor(225, 232, 240);
  palette.panelBackground = QColor(28, 36, 54);
  palette.includedElement = kRed;
  palette.excludedElement = kGreen;
  palette.legTrack = {QColor(90, 170, 255), QColor(255, 160, 40), QColor(200, 120, 255),
                      QColor(60, 210, 190)};
  palette.fixMarker = QColor(255, 255, 255);
  palette.ellipse = QColor(255, 235, 0);
  palette.horizon = QColor(120, 150, 190);
  palette.star = QColor(235, 240, 255);
  palette.selectedStar = QColor(90, 200, 255);
  palette.bestThreeStar = QColor(255, 200, 40);
  palette.planet = QColor(255, 140, 90);
  palette.sun = QColor(255, 225, 0);
  palette.moonLit = QColor(225, 225, 205);
  palette.moonDark = QColor(60, 66, 82);
  return palette;
}

PlotPalette PrinterPlotPalette() {
  PlotPalette palette;
  palette.background = Qt::white;
  palette.chartBackground = Qt::white;
  palette.grid = QColor(200, 210, 225);
  palette.gridLabel = QColor(70, 80, 100);
  palette.frame = Qt::black;
  palette.text = Qt::black;
  palette.panelBackground = QColor(242, 244, 248);
  palette.includedElement = kRed;
  palette.excludedElement = QColor(0, 150, 0);
  palette.legTrack = {QColor(0, 70, 200), QColor(200, 110, 0), QColor(130, 40, 170),
                      QColor(0, 130, 140)};
  palette.fixMarker = Qt::black;
  palette.ellipse = QColor(0, 0, 0);
  palette.horizon = Qt::black;
  palette.star = Qt::black;
  palette.selectedStar = QColor(0, 70, 200);
  palette.bestThreeStar = QColor(200, 0, 0);
  palette.planet = QColor(160, 80, 0);
  palette.sun = QColor(230, 160, 0);
  palette.moonLit = QColor(255, 255, 255);
  palette.moonDark = QColor(110, 110, 110);
  return palette;
}

PlotPalette NightPlotPalette() {
  PlotPalette palette;
  palette.background = QColor(10, 2, 2);
  palette.chartBackground = QColor(4, 0, 0);
  palette.grid = QColor(64, 14, 10);
  palette.gridLabel = QColor(150, 36, 28);
  palette.frame = QColor(120, 28, 22);
  palette.text = QColor(200, 48, 36);
  palette.panelBackground = QColor(22, 5, 4);
  palette.includedElement = QColor(225, 30, 20);
  palette.excludedElement = QColor(140, 100, 0);
  palette.legTrack = {QColor(220, 70, 50), QColor(190, 95, 30), QColor(200, 50, 110),
                      QColor(140, 36, 24)};
  palette.fixMarker = QColor(235, 80, 60);
  palette.ellipse = QColor(210, 100, 40);
  palette.horizon = QColor(120, 28, 22);
  palette.star = QColor(190, 45, 34);
  palette.selectedStar = QColor(230, 70, 50);
  palette.bestThreeStar = QColor(220, 100, 30);
  palette.planet = QColor(170, 80, 20);
  palette.sun = QColor(230, 90, 30);
  palette.moonLit = QColor(210, 60, 45);
  palette.moonDark = QColor(50, 10, 8);
  return palette;
}

}  // namespace navora
