#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <optional>

#include "app/bridge/Notice.h"

namespace navora {

// The off-screen image a plot window draws into and copies to the screen,
// and the fonts a plot can be drawn in. Shared by the plot windows.

inline constexpr char kPlotFontFailedText[] = "Could not create new font!";
inline constexpr char kPlotFontTooLargeText[] =
    "The chosen font makes the plot too large to\nfit into memory. Please choose a smaller font.";

enum class PlotImageFit {
  kKept,    // the image already fitted: what it holds is still valid
  kNew,     // made anew: nothing is drawn on it yet
  kFailed,  // no memory for it: the image is null
};

// Fits `image` to the widget in device pixels, its dots per metre those of
// the screen, so that points measure on it as they do on the screen.
PlotImageFit FitPlotImage(QImage& image, const QWidget& widget);

// Null when a plot can be drawn in `font` on the widget; else the message
// that refuses it: kPlotFontFailedText for a font without family or size,
// kPlotFontTooLargeText when the smallest readable plot (`leastWidthLines`
// by `leastHeightLines` of the font's line height) would not fit the memory
// a plot image may take.
const char* PlotFontProblem(const QFont& font, const QWidget& widget, double leastWidthLines,
                            double leastHeightLines);

// Makes `chosen` the plot's `font` when PlotFontProblem allows it; otherwise
// shows the problem and keeps the font. True when the font was taken.
bool TakePlotFont(const QFont& chosen, const QWidget& widget, Notice& notice,
                  double leastWidthLines, double leastHeightLines, QFont& font);

// The font dialog of a plot window, opened on its font; nothing when the
// user cancels.
std::optional<QFont> AskForPlotFont(QWidget& window, const QFont& font);

}  // namespace navora
