#include "app/dialogs/FixEntryGroups.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"

namespace navora {

FixEntryGroups::FixEntryGroups(QWidget* parent)
    : QWidget(parent),
      dateTime_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)),
      position_(new PositionGroup(QStringLiteral("Position"), "&Latitude", "Lon&gitude", this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dateTime_);
  layout->addWidget(position_);

  auto* motion = new QGroupBox(QStringLiteral("Course and Speed"), this);
  auto* row = new QGridLayout(motion);
  course_ = NewNumericEdit(motion);
  speed_ = NewNumericEdit(motion);
  row->addWidget(BuddyLabel("C&ourse (deg.)", course_, motion), 0, 0);
  row->addWidget(course_, 0, 1);
  row->addWidget(BuddyLabel("S&peed (kn.)", speed_, motion), 0, 2);
  row->addWidget(speed_, 0, 3);
  layout->addWidget(motion);

  setTabOrder(dateTime_->SecondField(), position_->FirstField());
  setTabOrder(position_->LastField(), course_);
  setTabOrder(course_, speed_);
}

NewInitialFixFields FixEntryGroups::Fields() const {
  NewInitialFixFields fields;
  dateTime_->ReadInto(fields);
  position_->ReadInto(fields);
  fields.course = EditText(*course_);
  fields.speed = EditText(*speed_);
  return fields;
}

void FixEntryGroups::SetFields(const NewInitialFixFields& fields) {
  dateTime_->Show(fields);
  position_->Show(fields);
  SetEditText(*course_, fields.course);
  SetEditText(*speed_, fields.speed);
}

QWidget* FixDateTimeField(DateTimeGroup& group, FixField field) {
  switch (field) {
    case FixField::kDay:
      return group.PartField(DateTimeGroup::Part::kDay);
    case FixField::kMonth:
      return group.PartField(DateTimeGroup::Part::kMonth);
    case FixField::kYear:
      return group.PartField(DateTimeGroup::Part::kYear);
    case FixField::kHour:
      return group.PartField(DateTimeGroup::Part::kHour);
    case FixField::kMinute:
      return group.PartField(DateTimeGroup::Part::kMinute);
    case FixField::kSecond:
      return group.PartField(DateTimeGroup::Part::kSecond);
    default:
      return nullptr;
  }
}

QWidget* FixEntryGroups::FieldWidget(FixField field) {
  switch (field) {
    case FixField::kLatitudeDegrees:
      return &position_->LatitudeDegrees();
    case FixField::kLatitudeMinutes:
      return &position_->LatitudeMinutes();
    case FixField::kLongitudeDegrees:
      return &position_->LongitudeDegrees();
    case FixField::kLongitudeMinutes:
      return &position_->LongitudeMinutes();
    case FixField::kCourse:
      return course_;
    case FixField::kSpeed:
      return speed_;
    default:
      return FixDateTimeField(*dateTime_, field);
  }
}

void FixEntryGroups::OnEdited(const std::function<void()>& edited) {
  for (QLineEdit* edit :
       {dateTime_->HourField(), dateTime_->MinuteField(), dateTime_->SecondField(),
        &position_->LatitudeDegrees(), &position_->LatitudeMinutes(),
        &position_->LongitudeDegrees(), &position_->LongitudeMinutes(), course_, speed_}) {
    connect(edit, &QLineEdit::textChanged, this, edited);
  }
  for (QRadioButton* button : {&position_->South(), &position_->West()}) {
    connect(button, &QRadioButton::toggled, this, edited);
  }
  connect(&dateTime_->DayField(), &QSpinBox::valueChanged, this, edited);
  for (QComboBox* list : {&dateTime_->MonthField(), &dateTime_->YearField()}) {
    connect(list, &QComboBox::currentIndexChanged, this, edited);
  }
}

}  // namespace navora
