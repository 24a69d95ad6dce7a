#include "app/dialogs/CompassPlanningDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/NumericField.h"

namespace navora {

QWidget* CompassDateField(DateTimeGroup& date, CompassField field) {
  switch (field) {
    case CompassField::kDay:
      return &date.DayField();
    case CompassField::kMonth:
      return &date.MonthField();
    case CompassField::kYear:
      return &date.YearField();
    case CompassField::kHour:
      return date.HourField();
    case CompassField::kMinute:
      return date.MinuteField();
    case CompassField::kSecond:
      return date.SecondField();
    default:
      return nullptr;
  }
}

CompassPlanningDialog::CompassPlanningDialog(Notice& notice, EphemerisTable& ephemeris,
                                             ReferenceState& state, const PositionRecord& reference,
                                             FixDialog enterFix, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      enterFix_(enterFix ? std::move(enterFix) : MakeFixDialog(this, notice)),
      reference_(reference),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinute, this)),
      referenceGroup_(new ReferencePositionGroup(this)) {
  setWindowTitle(QStringLiteral("Gyro/Compass Error - Planning"));
  auto* layout = new QVBoxLayout(this);
  date_->setTitle(QStringLiteral("Planning Date and Time (UTC)"));
  layout->addWidget(date_);
  layout->addWidget(referenceGroup_);
  connect(&referenceGroup_->EditButton(), &QPushButton::clicked, this, [this] {
    if (EditCompassReference(notice_, enterFix_, reference_)) referenceGroup_->Show(reference_);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // "Current Date" takes the clock's time as well: the model's rule.
  connect(&date_->CurrentDateButton(), &QPushButton::clicked, this, [this] {
    CompassPlanningFields fields = Fields();
    SetCurrentCompassDate(fields, NowJulianDate());
    SetFields(fields);
  });
  setTabOrder(date_->MinuteField(), &referenceGroup_->EditButton());

  SetFields(InitialCompassPlanningFields(reference));
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

CompassPlanningFields CompassPlanningDialog::Fields() const {
  CompassPlanningFields fields;
  fields.day = date_->Day();
  fields.monthIndex = date_->MonthIndex();
  fields.yearIndex = date_->YearIndex();
  fields.hour = EditText(*date_->HourField());
  fields.minute = EditText(*date_->MinuteField());
  fields.reference = reference_;
  return fields;
}

void CompassPlanningDialog::SetFields(const CompassPlanningFields& fields) {
  date_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  SetEditText(*date_->HourField(), fields.hour);
  SetEditText(*date_->MinuteField(), fields.minute);
  reference_ = fields.reference;
  referenceGroup_->Show(reference_);
}

void CompassPlanningDialog::accept() {
  CompassField returnTo = CompassField::kDay;
  if (!AcceptCompassPlanningDialog(notice_, ephemeris_, state_, Fields(), request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* CompassPlanningDialog::FieldWidget(CompassField field) {
  QWidget* widget = CompassDateField(*date_, field);
  return widget != nullptr ? widget : &date_->DayField();
}

}  // namespace navora
