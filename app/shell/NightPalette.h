#pragma once

#include <QPalette>
#include <QPixmap>

#include "app/plots/PlotPalette.h"

namespace navora {

// The night palette: the whole program in dim red on near-black, for a
// navigator keeping dark-adapted eyes on the bridge. It is an application
// state: the application palette and the tool-tip palette change, every
// text view (worksheets, logs, the manual) shows its text in the night red
// whatever colours the document carries, without changing those colours,
// and the document area darkens. Windows that draw their own pictures follow
// it themselves: the Current Track redraws its item images on the palette
// change, message boxes tint their icons, and plot windows take
// `PlotPaletteFor(NightPaletteOn())` when they open and again on
// MainWindow::NightPaletteChanged.
//
// The choice is kept in the settings ("Settings/NightPalette", 1 or 0).
inline constexpr char kNightPaletteSection[] = "Settings";
inline constexpr char kNightPaletteKey[] = "NightPalette";

// Dim reds on near-black for every colour role; disabled text dimmer still
// but readable.
QPalette NightPalette();

bool NightPaletteOn();

// Switches the application to night, or back to day: day restores exactly
// the palettes in use before night began. Switching to the state already on
// does nothing.
void SetNightPalette(bool night);

// The screen palette of a plot under the current choice.
PlotPalette PlotPaletteFor(bool night);

// A picture redrawn in the night red, its brightness kept as the red's
// strength and its transparency kept: for icons drawn in their own colours.
QPixmap NightTinted(const QPixmap& pixmap);

// The stored choice; day when nothing is stored.
bool LoadNightPaletteChoice();
void StoreNightPaletteChoice(bool night);

}  // namespace navora
