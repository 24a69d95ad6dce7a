#include "app/shell/SplashWindow.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "app/shell/ProgramArt.h"

namespace navora {
namespace {

constexpr QSize kSplashSize(520, 320);

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kSplashSize);
  // Centred over the main window, or on the screen when there is none.
  const QRect over = parent && parent->isVisible() ? parent->frameGeometry()
                     : screen()                    ? screen()->availableGeometry()
                                                   : QRect(QPoint(0, 0), kSplashSize);
  move(over.center() - rect().center());
  connect(&timer_, &QTimer::timeout, this, &SplashWindow::Check);
  timer_.start(kCheckMs);
  shownFor_.start();
}

void SplashWindow::Check() {
  if (shownFor_.elapsed() <= kShownMs) {
    raise();
  } else {
    close();
  }
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, height());
  sky.setColorAt(0.0, QColor(10, 22, 48));
  sky.setColorAt(0.7, QColor(24, 52, 96));
  sky.setColorAt(1.0, QColor(40, 78, 122));
  painter.fillRect(rect(), sky);

  // The sea horizon, which every sextant sight is taken from.
  painter.setPen(QPen(QColor(214, 170, 78, 160), 1.0));
  painter.drawLine(QPointF(24, height() - 64), QPointF(width() - 24, height() - 64));

  const double roseSize = height() - 96.0;
  PaintCompassRose(painter, QRectF(28, 24, roseSize, roseSize));

  const double textLeft = roseSize + 56.0;
  QFont title(QStringLiteral("Serif"));
  title.setPointSize(28);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
  painter.setFont(title);
  painter.setPen(QColor(244, 238, 222));
  painter.drawText(QRectF(textLeft, 70, width() - textLeft - 16, 60),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NAVORA"));

  QFont subtitle(QStringLiteral("Sans Serif"));
  subtitle.setPointSize(11);
  painter.setFont(subtitle);
  painter.setPen(QColor(214, 170, 78));
  painter.drawText(QRectF(textLeft, 132, width() - textLeft - 16, 48),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Marine celestial navigation"));
  painter.setPen(QColor(200, 210, 225));
  painter.drawText(QRectF(textLeft, 160, width() - textLeft - 16, 24), Qt::AlignLeft,
                   QStringLiteral("Version 2.1"));
  painter.drawText(QRectF(24, height() - 56, width() - 48, 40), Qt::AlignCenter,
                   QStringLiteral("Almanac  \u00b7  Dead reckoning  \u00b7  Sight reduction"));
}

void SplashWindow::mousePressEvent(QMouseEvent*) { close(); }

void SplashWindow::closeEvent(QCloseEvent* event) {
  timer_.stop();
  if (!finished_) {
    finished_ = true;
    emit Finished();
  }
  QWidget::closeEvent(event);
}

}  // namespace navora
