#include "app/dialogs/WaypointDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"
#include "app/dialogs/ReferenceTimeGroup.h"

namespace navora {
namespace {}  // namespace

WaypointDialog::WaypointDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                               const PositionRecord& reference, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      reference_(reference),
      arrival_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)),
      departure_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)) {
  setWindowTitle(QStringLiteral("Position Update - Waypoint"));
  auto* layout = new QVBoxLayout(this);
  arrival_->setTitle(QStringLiteral("Date and Time to arrive at Waypoint (UTC)"));
  // "Current Date" belongs to the departure: one leaves now, one cannot arrive now.
  arrival_->CurrentDateButton().hide();
  layout->addWidget(arrival_);

  position_ =
      new PositionGroup(QStringLiteral("Position of Waypoint"), "&Latitude:", "Lon&gitude:", this);
  layout->addWidget(position_);

  departure_->setTitle(QStringLiteral("Date and Time to depart for Waypoint (UTC)"));
  layout->addWidget(departure_);
  layout->addWidget(new ReferenceTimeGroup(reference.time, this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(arrival_->SecondField(), position_->FirstField());
  setTabOrder(position_->LastField(), &departure_->DayField());

  SetFields(InitialWaypointFields(reference));
  arrival_->DayField().setFocus(Qt::OtherFocusReason);
}

WaypointFields WaypointDialog::Fields() const {
  WaypointFields fields;
  arrival_->ReadInto(fields.arrival);
  position_->ReadInto(fields);
  departure_->ReadInto(fields.departure);
  return fields;
}

void WaypointDialog::SetFields(const WaypointFields& fields) {
  arrival_->Show(fields.arrival);
  position_->Show(fields);
  departure_->Show(fields.departure);
}

void WaypointDialog::accept() {
  WaypointField returnTo = WaypointField::kArrivalDay;
  if (!AcceptWaypointDialog(notice_, ephemeris_, state_, reference_, Fields(), request_,
                            returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* WaypointDialog::FieldWidget(WaypointField field) {
  switch (field) {
    case WaypointField::kArrivalDay:
      return &arrival_->DayField();
    case WaypointField::kArrivalMonth:
      return &arrival_->MonthField();
    case WaypointField::kArrivalYear:
      return &arrival_->YearField();
    case WaypointField::kArrivalHour:
      return arrival_->HourField();
    case WaypointField::kArrivalMinute:
      return arrival_->MinuteField();
    case WaypointField::kArrivalSecond:
      return arrival_->SecondField();
    case WaypointField::kLatitudeDegrees:
      return &position_->LatitudeDegrees();
    case WaypointField::kLatitudeMinutes:
      return &position_->LatitudeMinutes();
    case WaypointField::kLongitudeDegrees:
      return &position_->LongitudeDegrees();
    case WaypointField::kLongitudeMinutes:
      return &position_->LongitudeMinutes();
    case WaypointField::kDepartureDay:
      return &departure_->DayField();
    case WaypointField::kDepartureMonth:
      return &departure_->MonthField();
    case WaypointField::kDepartureYear:
      return &departure_->YearField();
    case WaypointField::kDepartureHour:
      return departure_->HourField();
    case WaypointField::kDepartureMinute:
      return departure_->MinuteField();
    case WaypointField::kDepartureSecond:
      return departure_->SecondField();
  }
  return nullptr;
}

}  // namespace navora
