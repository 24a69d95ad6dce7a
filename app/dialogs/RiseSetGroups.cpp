#include "app/dialogs/RiseSetGroups.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

constexpr int kZoneDigits = 2;
constexpr int kEditMarginChars = 2;  // frame and caret room

}  // namespace

QLineEdit* NewDigitsEdit(QWidget* parent, int digits) {
  QLineEdit* edit = NewNumericEdit(parent);
  FormatIntegerOnFocusOut(*edit, digits);
  const QString widest(digits + kEditMarginChars, QLatin1Char('0'));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest));
  return edit;
}

TimeZoneGroup::TimeZoneGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Time &Zone"), parent),
      hours_(NewDigitsEdit(this, kZoneDigits)),
      minutes_(NewDigitsEdit(this, kZoneDigits)),
      east_(new QRadioButton(QStringLiteral("E&ast"), this)),
      west_(new QRadioButton(QStringLiteral("Wes&t"), this)) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Hours"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Min."), this), 0, 1);
  grid->addWidget(hours_, 1, 0);
  grid->addWidget(minutes_, 1, 1);
  grid->addWidget(east_, 1, 2);
  grid->addWidget(west_, 1, 3);
  grid->setColumnStretch(4, 1);
  east_->setChecked(true);
  setTabOrder(hours_, minutes_);
  setTabOrder(minutes_, east_);
  setTabOrder(east_, west_);
}

RiseSetBodyGroup::RiseSetBodyGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("&Body"), parent),
      sun_(new QRadioButton(QStringLiteral("Su&n"), this)),
      moon_(new QRadioButton(QStringLiteral("M&oon"), this)) {
  auto* row = new QHBoxLayout(this);
  row->addWidget(sun_);
  row->addWidget(moon_);
  sun_->setChecked(true);
  setTabOrder(sun_, moon_);
}

}  // namespace navora
