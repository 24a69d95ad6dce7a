#include "app/dialogs/WaypointDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <string>

#include "app/dialogs/NumericField.h"
#include "app/dialogs/ReferenceTimeGroup.h"

namespace navora {
namespace {

std::string Latin1(const QLineEdit* edit) { return edit->text().toLatin1().toStdString(); }
QString FromLatin1(const std::string& text) { return QString::fromLatin1(text); }

QLineEdit* NumericEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  MakeNumericField(*edit);
  return edit;
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

WaypointTimeFields TimeFields(DateTimeGroup& group) {
  WaypointTimeFields fields;
  fields.day = group.Day();
  fields.monthIndex = group.MonthIndex();
  fields.yearIndex = group.YearIndex();
  fields.hour = Latin1(group.HourField());
  fields.minute = Latin1(group.MinuteField());
  fields.second = Latin1(group.SecondField());
  return fields;
}

void SetTimeFields(DateTimeGroup& group, const WaypointTimeFields& fields) {
  group.SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  group.HourField()->setText(FromLatin1(fields.hour));
  group.MinuteField()->setText(FromLatin1(fields.minute));
  group.SecondField()->setText(FromLatin1(fields.second));
}

}  // namespace

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

  auto* position = new QGroupBox(QStringLiteral("Position of Waypoint"), this);
  auto* grid = new QGridLayout(position);
  latitudeDegrees_ = NumericEdit(position);
  latitudeMinutes_ = NumericEdit(position);
  north_ = new QRadioButton(QStringLiteral("&North"), position);
  south_ = new QRadioButton(QStringLiteral("&South"), position);
  longitudeDegrees_ = NumericEdit(position);
  longitudeMinutes_ = NumericEdit(position);
  east_ = new QRadioButton(QStringLiteral("&East"), position);
  west_ = new QRadioButton(QStringLiteral("&West"), position);
  for (auto pair : {std::pair{north_, south_}, std::pair{east_, west_}}) {
    auto* group = new QButtonGroup(position);
    group->addButton(pair.first);
    group->addButton(pair.second);
  }
  grid->addWidget(new QLabel(QStringLiteral("deg."), position), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("min."), position), 0, 2);
  grid->addWidget(Caption("&Latitude:", latitudeDegrees_, position), 1, 0);
  grid->addWidget(latitudeDegrees_, 1, 1);
  grid->addWidget(latitudeMinutes_, 1, 2);
  grid->addWidget(north_, 1, 3);
  grid->addWidget(south_, 1, 4);
  grid->addWidget(Caption("Lon&gitude:", longitudeDegrees_, position), 2, 0);
  grid->addWidget(longitudeDegrees_, 2, 1);
  grid->addWidget(longitudeMinutes_, 2, 2);
  grid->addWidget(east_, 2, 3);
  grid->addWidget(west_, 2, 4);
  layout->addWidget(position);

  departure_->setTitle(QStringLiteral("Date and Time to depart for Waypoint (UTC)"));
  layout->addWidget(departure_);
  layout->addWidget(new ReferenceTimeGroup(reference.time, this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {arrival_->SecondField(),
                      latitudeDegrees_,
                      latitudeMinutes_,
                      north_,
                      south_,
                      longitudeDegrees_,
                      longitudeMinutes_,
                      east_,
                      west_,
                      &departure_->DayField()};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  SetFields(InitialWaypointFields(reference));
  arrival_->DayField().setFocus(Qt::OtherFocusReason);
}

WaypointFields WaypointDialog::Fields() const {
  WaypointFields fields;
  fields.arrival = TimeFields(*arrival_);
  fields.latitudeDegrees = Latin1(latitudeDegrees_);
  fields.latitudeMinutes = Latin1(latitudeMinutes_);
  fields.south = south_->isChecked();
  fields.longitudeDegrees = Latin1(longitudeDegrees_);
  fields.longitudeMinutes = Latin1(longitudeMinutes_);
  fields.west = west_->isChecked();
  fields.departure = TimeFields(*departure_);
  return fields;
}

void WaypointDialog::SetFields(const WaypointFields& fields) {
  SetTimeFields(*arrival_, fields.arrival);
  latitudeDegrees_->setText(FromLatin1(fields.latitudeDegrees));
  latitudeMinutes_->setText(FromLatin1(fields.latitudeMinutes));
  (fields.south ? south_ : north_)->setChecked(true);
  longitudeDegrees_->setText(FromLatin1(fields.longitudeDegrees));
  longitudeMinutes_->setText(FromLatin1(fields.longitudeMinutes));
  (fields.west ? west_ : east_)->setChecked(true);
  SetTimeFields(*departure_, fields.departure);
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
      return latitudeDegrees_;
    case WaypointField::kLatitudeMinutes:
      return latitudeMinutes_;
    case WaypointField::kLongitudeDegrees:
      return longitudeDegrees_;
    case WaypointField::kLongitudeMinutes:
      return longitudeMinutes_;
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
