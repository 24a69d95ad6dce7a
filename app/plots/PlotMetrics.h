#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QString>
#include <algorithm>

namespace navora {

// A plot font measured on the device it is drawn on. Plots size everything
// in the font's line height, so that screen and print keep the same
// proportions.
struct PlotMetrics {
  static constexpr double kPadding = 0.6;  // line heights

  QFont font;
  QFont bold;
  QFontMetricsF plain;
  QFontMetricsF heavy;
  double line;  // line height, pixels
  double pad;
  double pen;  // the thinnest pen

  PlotMetrics(const QFont& base, QPaintDevice* device)
      : font(base),
        bold(BoldOf(base)),
        plain(font, device),
        heavy(bold, device),
        line(plain.height()),
        pad(kPadding * line),
        pen(std::max(1.0, line / 12.0)) {}

  double Width(const QString& text) const { return plain.horizontalAdvance(text); }
  double BoldWidth(const QString& text) const { return heavy.horizontalAdvance(text); }

  static QFont BoldOf(QFont font) {
    font.setBold(true);
    return font;
  }
};

}  // namespace navora
