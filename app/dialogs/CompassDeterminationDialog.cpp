#include "app/dialogs/CompassDeterminationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <iterator>

#include "app/dialogs/CompassPlanningDialog.h"
#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

// Edits as wide as their longest entry ("359.9", "-0.9") and the caret.
constexpr int kBearingChars = 5;
constexpr int kUt1Chars = 4;
constexpr int kEditMarginChars = 2;
// The body list shows a good part of the stars at once.
constexpr int kVisibleBodies = 20;

QLineEdit* NewEdit(QWidget* parent, int chars) {
  QLineEdit* edit = NewNumericEdit(parent);
  edit->setFixedWidth(
      edit->fontMetrics().horizontalAdvance(QString(chars + kEditMarginChars, QLatin1Char('0'))));
  return edit;
}

QLabel* UnitLabel(const char* text, QWidget* parent) {
  return new QLabel(QString::fromLatin1(text), parent);
}

}  // namespace

CompassDeterminationDialog::CompassDeterminationDialog(Notice& notice,
                                                       const PositionRecord& reference,
                                                       const CompassErrorFields& fields,
                                                       QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      reference_(reference),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)) {
  setWindowTitle(QStringLiteral("Gyro/Compass Error - Determination"));
  auto* layout = new QVBoxLayout(this);

  auto* observed = new QGroupBox(QStringLiteral("Azimuth or Relative Bearing"), this);
  azimuthChoice_ = new QRadioButton(QStringLiteral("&Azimuth"), observed);
  relative_ = new QRadioButton(QStringLiteral("&Relative Bearing"), observed);
  azimuth_ = NewEdit(observed, kBearingChars);
  bearing_ = NewEdit(observed, kBearingChars);
  heading_ = NewEdit(observed, kBearingChars);
  auto* grid = new QGridLayout(observed);
  grid->addWidget(azimuthChoice_, 0, 0);
  grid->addWidget(azimuth_, 0, 2);
  grid->addWidget(UnitLabel("deg.", observed), 0, 3);
  grid->addWidget(relative_, 1, 0);
  grid->addWidget(BuddyLabel("Bearin&g:", bearing_, observed), 1, 1, Qt::AlignRight);
  grid->addWidget(bearing_, 1, 2);
  grid->addWidget(UnitLabel("deg.", observed), 1, 3);
  grid->addWidget(BuddyLabel("H&eading:", heading_, observed), 2, 1, Qt::AlignRight);
  grid->addWidget(heading_, 2, 2);
  grid->addWidget(UnitLabel("deg.", observed), 2, 3);
  grid->setColumnStretch(4, 1);

  auto* bodyGroup = new QGroupBox(QStringLiteral("&Body"), this);
  body_ = new QComboBox(bodyGroup);
  for (int i = 0; i < kCompassBodyCount; ++i) {
    body_->addItem(QString::fromLatin1(CompassBodyName(i)));
  }
  body_->setMaxVisibleItems(kVisibleBodies);
  (new QVBoxLayout(bodyGroup))->addWidget(body_);

  auto* ut1Group = new QGroupBox(QStringLiteral("UT&1 - UTC"), this);
  ut1MinusUtc_ = NewEdit(ut1Group, kUt1Chars);
  auto* ut1Row = new QHBoxLayout(ut1Group);
  ut1Row->addWidget(ut1MinusUtc_);
  ut1Row->addWidget(UnitLabel("Sec.", ut1Group));
  ut1Row->addStretch(1);

  // What was observed beside the instant; the body and UT1 - UTC, which
  // decide the exact azimuth, to the right.
  auto* columns = new QGridLayout;
  columns->addWidget(date_, 0, 0);
  columns->addWidget(observed, 1, 0);
  columns->addWidget(bodyGroup, 0, 1, Qt::AlignTop);
  columns->addWidget(ut1Group, 1, 1, Qt::AlignTop);
  layout->addLayout(columns);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // "Current Date" takes the clock's time to the second: the model's rule.
  connect(&date_->CurrentDateButton(), &QPushButton::clicked, this, [this] {
    CompassErrorFields current = Fields();
    SetCurrentCompassDate(current, NowJulianDate());
    SetFields(current);
  });
  connect(relative_, &QRadioButton::toggled, this, &CompassDeterminationDialog::UpdateEnabled);

  QWidget* order[] = {
      date_->SecondField(), azimuthChoice_, azimuth_, relative_, bearing_, heading_, body_,
      ut1MinusUtc_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  SetFields(fields);
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

CompassErrorFields CompassDeterminationDialog::Fields() const {
  CompassErrorFields fields;
  date_->ReadInto(fields);
  fields.relative = relative_->isChecked();
  fields.azimuth = EditText(*azimuth_);
  fields.bearing = EditText(*bearing_);
  fields.heading = EditText(*heading_);
  fields.bodyIndex = body_->currentIndex();
  fields.ut1MinusUtc = EditText(*ut1MinusUtc_);
  return fields;
}

void CompassDeterminationDialog::SetFields(const CompassErrorFields& fields) {
  date_->Show(fields);
  (fields.relative ? relative_ : azimuthChoice_)->setChecked(true);
  SetEditText(*azimuth_, fields.azimuth);
  SetEditText(*bearing_, fields.bearing);
  SetEditText(*heading_, fields.heading);
  body_->setCurrentIndex(fields.bodyIndex);
  SetEditText(*ut1MinusUtc_, fields.ut1MinusUtc);
  UpdateEnabled();
}

void CompassDeterminationDialog::UpdateEnabled() {
  const bool relative = relative_->isChecked();
  azimuth_->setEnabled(!relative);
  bearing_->setEnabled(relative);
  heading_->setEnabled(relative);
}

void CompassDeterminationDialog::accept() {
  CompassField returnTo = CompassField::kDay;
  if (!AcceptCompassErrorDialog(notice_, Fields(), reference_, request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* CompassDeterminationDialog::FieldWidget(CompassField field) {
  switch (field) {
    case CompassField::kAzimuth:
      return azimuth_;
    case CompassField::kBearing:
      return bearing_;
    case CompassField::kHeading:
      return heading_;
    case CompassField::kBody:
      return body_;
    case CompassField::kUt1MinusUtc:
      return ut1MinusUtc_;
    default:
      return CompassDateField(*date_, field);
  }
}

}  // namespace navora
