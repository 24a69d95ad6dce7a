#include "app/dialogs/ReferenceTimeGroup.h"

#include <QHBoxLayout>
#include <QLocale>
#include <cmath>

#include "engine/time/Calendar.h"

namespace navora {
namespace {

// "21 June 2024   04:00:00 UTC"; seconds rounded as the reports print them.
QString ReferenceText(double jd) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(jd, 0, year, month, day, hour, minute, seconds, weekday);
  return QStringLiteral("%1 %2 %3   %4:%5:%6 UTC")
      .arg(day, 2, 10, QLatin1Char('0'))
      .arg(QLocale::c().monthName(month))
      .arg(year)
      .arg(hour, 2, 10, QLatin1Char('0'))
      .arg(minute, 2, 10, QLatin1Char('0'))
      .arg(static_cast<int>(std::lround(seconds)), 2, 10, QLatin1Char('0'));
}

}  // namespace

ReferenceTimeGroup::ReferenceTimeGroup(double referenceJd, QWidget* parent)
    : QGroupBox(QStringLiteral("Reference Date and Time"), parent),
      text_(new QLabel(ReferenceText(referenceJd), this)) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(text_);
}

}  // namespace navora
