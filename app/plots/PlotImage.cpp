#include "app/plots/PlotImage.h"

#include <QFontDialog>
#include <QFontMetricsF>
#include <cmath>

namespace navora {
namespace {

constexpr double kLargestPlotImageBytes = 64.0 * 1024 * 1024;
constexpr double kImageBytesPerPixel = 4.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;

}  // namespace

PlotImageFit FitPlotImage(QImage& image, const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatioF();
  const QSize pixels = widget.size() * ratio;
  if (!image.isNull() && image.size() == pixels && image.devicePixelRatio() == ratio) {
    return PlotImageFit::kKept;
  }
  image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return PlotImageFit::kFailed;
  image.setDevicePixelRatio(ratio);
  image.setDotsPerMeterX(
      static_cast<int>(std::lround(widget.logicalDpiX() * ratio * kInchesPerMetre)));
  image.setDotsPerMeterY(
      static_cast<int>(std::lround(widget.logicalDpiY() * ratio * kInchesPerMetre)));
  return PlotImageFit::kNew;
}

const char* PlotFontProblem(const QFont& font, const QWidget& widget, double leastWidthLines,
                            double leastHeightLines) {
  if (font.family().isEmpty() || (font.pointSizeF() <= 0 && font.pixelSize() <= 0)) {
    return kPlotFontFailedText;
  }
  const double line = QFontMetricsF(font, &widget).height();
  const double ratio = widget.devicePixelRatioF();
  const double bytes =
      leastWidthLines * line * leastHeightLines * line * kImageBytesPerPixel * ratio * ratio;
  return bytes > kLargestPlotImageBytes ? kPlotFontTooLargeText : nullptr;
}

bool TakePlotFont(const QFont& chosen, const QWidget& widget, Notice& notice,
                  double leastWidthLines, double leastHeightLines, QFont& font) {
  if (const char* problem = PlotFontProblem(chosen, widget, leastWidthLines, leastHeightLines)) {
    notice.Show(problem, kNoticeOk);
    return false;
  }
  font = chosen;
  return true;
}

std::optional<QFont> AskForPlotFont(QWidget& window, const QFont& font) {
  bool chosen = false;
  const QFont answer = QFontDialog::getFont(&chosen, font, &window, QWidget::tr("Font"));
  if (!chosen) return std::nullopt;
  return answer;
}

}  // namespace navora
