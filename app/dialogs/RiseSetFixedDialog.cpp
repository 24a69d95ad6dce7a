#include "app/dialogs/RiseSetFixedDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

constexpr int kHeightDigits = 3;
constexpr int kRepeatDigits = 2;

}  // namespace

RiseSetFixedDialog::RiseSetFixedDialog(Notice& notice, EphemerisTable& ephemeris,
                                       ReferenceState& state, const PositionRecord& latest,
                                       QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kNone, this)),
      zone_(new TimeZoneGroup(this)),
      location_(new PositionGroup(QStringLiteral("Location"), "&Latitude", "Lon&gitude", this)),
      body_(new RiseSetBodyGroup(this)) {
  setWindowTitle(QStringLiteral("Rise/Set/Transit - Fixed Site"));
  auto* layout = new QVBoxLayout(this);
  date_->setTitle(QStringLiteral("Date (UTC)"));
  layout->addWidget(date_);
  layout->addWidget(zone_);
  layout->addWidget(location_);

  auto* heightGroup = new QGroupBox(QStringLiteral("&Height of Eye"), this);
  auto* heightRow = new QHBoxLayout(heightGroup);
  height_ = NewDigitsEdit(heightGroup, kHeightDigits);
  feet_ = new QRadioButton(QStringLiteral("&Feet"), heightGroup);
  metres_ = new QRadioButton(QStringLiteral("Metres"), heightGroup);
  heightRow->addWidget(height_);
  heightRow->addWidget(feet_);
  heightRow->addWidget(metres_);
  heightRow->addStretch();
  // The height row and the body share a line: both are short.
  auto* heightAndBody = new QHBoxLayout;
  heightAndBody->addWidget(heightGroup);
  heightAndBody->addWidget(body_);
  layout->addLayout(heightAndBody);

  auto* repeat = new QGroupBox(QStringLiteral("&Repeat calculation"), this);
  auto* repeatRow = new QHBoxLayout(repeat);
  repetitions_ = NewDigitsEdit(repeat, kRepeatDigits);
  repeatRow->addWidget(repetitions_);
  repeatRow->addWidget(new QLabel(QStringLiteral("times, at a one day interval."), repeat));
  repeatRow->addStretch();
  layout->addWidget(repeat);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(&date_->CurrentDateButton(), &zone_->Hours());
  setTabOrder(zone_->LastField(), location_->FirstField());
  setTabOrder(location_->LastField(), height_);
  setTabOrder(height_, feet_);
  setTabOrder(feet_, metres_);
  setTabOrder(metres_, body_->FirstField());
  setTabOrder(body_->LastField(), repetitions_);

  SetFields(InitialRiseSetFixedFields(latest));
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

RiseSetFixedFields RiseSetFixedDialog::Fields() const {
  RiseSetFixedFields fields;
  fields.day = date_->Day();
  fields.monthIndex = date_->MonthIndex();
  fields.yearIndex = date_->YearIndex();
  zone_->ReadInto(fields);
  location_->ReadInto(fields);
  fields.heightOfEye = EditText(*height_);
  fields.heightInMetres = metres_->isChecked();
  fields.body = body_->Body();
  fields.repetitions = EditText(*repetitions_);
  return fields;
}

void RiseSetFixedDialog::SetFields(const RiseSetFixedFields& fields) {
  date_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  zone_->Show(fields);
  location_->Show(fields);
  SetEditText(*height_, fields.heightOfEye);
  (fields.heightInMetres ? metres_ : feet_)->setChecked(true);
  body_->SetBody(fields.body);
  SetEditText(*repetitions_, fields.repetitions);
}

void RiseSetFixedDialog::accept() {
  RiseSetField returnTo = RiseSetField::kDay;
  if (!AcceptRiseSetFixedDialog(notice_, ephemeris_, state_, Fields(), request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* RiseSetFixedDialog::FieldWidget(RiseSetField field) {
  switch (field) {
    case RiseSetField::kDay:
      return &date_->DayField();
    case RiseSetField::kMonth:
      return &date_->MonthField();
    case RiseSetField::kYear:
      return &date_->YearField();
    case RiseSetField::kZoneHours:
      return &zone_->Hours();
    case RiseSetField::kZoneMinutes:
      return &zone_->Minutes();
    case RiseSetField::kLatitudeDegrees:
      return &location_->LatitudeDegrees();
    case RiseSetField::kLatitudeMinutes:
      return &location_->LatitudeMinutes();
    case RiseSetField::kLongitudeDegrees:
      return &location_->LongitudeDegrees();
    case RiseSetField::kLongitudeMinutes:
      return &location_->LongitudeMinutes();
    case RiseSetField::kHeightOfEye:
      return height_;
    case RiseSetField::kRepetitions:
      return repetitions_;
  }
  return nullptr;
}

}  // namespace navora
