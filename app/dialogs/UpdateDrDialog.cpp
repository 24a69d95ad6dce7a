#include "app/dialogs/UpdateDrDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/dialogs/FixEntryGroups.h"
#include "app/dialogs/NumericField.h"
#include "app/dialogs/ReferenceTimeGroup.h"

namespace navora {
UpdateDrDialog::UpdateDrDialog(const PositionTaskLogs& logs, const PositionRecord& reference,
                               QWidget* parent)
    : QDialog(parent),
      logs_(logs),
      reference_(reference),
      dateTime_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)) {
  setWindowTitle(QStringLiteral("Position Update - Update DR"));
  auto* layout = new QVBoxLayout(this);
  dateTime_->setTitle(QStringLiteral("Date and Time for DR (UTC)"));
  layout->addWidget(dateTime_);

  auto* motion = new QGroupBox(QStringLiteral("Course and Speed"), this);
  auto* grid = new QGridLayout(motion);
  change_ = new QCheckBox(QStringLiteral("C&hange ?"), motion);
  course_ = NewNumericEdit(motion);
  speed_ = NewNumericEdit(motion);
  grid->addWidget(change_, 0, 0);
  grid->addWidget(BuddyLabel("C&ourse:", course_, motion), 0, 1);
  grid->addWidget(course_, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("deg."), motion), 0, 3);
  grid->addWidget(BuddyLabel("S&peed:", speed_, motion), 0, 4);
  grid->addWidget(speed_, 0, 5);
  grid->addWidget(new QLabel(QStringLiteral("kn."), motion), 0, 6);
  layout->addWidget(motion);
  // Course and speed are the reference's until the navigator asks to change them.
  connect(change_, &QCheckBox::toggled, this, [this](bool on) {
    course_->setReadOnly(!on);
    speed_->setReadOnly(!on);
    if (on) ReturnToField(*course_);
  });

  layout->addWidget(new ReferenceTimeGroup(reference.time, this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(dateTime_->SecondField(), change_);
  setTabOrder(change_, course_);
  setTabOrder(course_, speed_);

  SetFields(InitialUpdateDrFields(reference));
  dateTime_->DayField().setFocus(Qt::OtherFocusReason);
}

UpdateDrFields UpdateDrDialog::Fields() const {
  UpdateDrFields fields;
  dateTime_->ReadInto(fields);
  fields.change = change_->isChecked();
  fields.course = EditText(*course_);
  fields.speed = EditText(*speed_);
  return fields;
}

void UpdateDrDialog::SetFields(const UpdateDrFields& fields) {
  dateTime_->Show(fields);
  SetEditText(*course_, fields.course);
  SetEditText(*speed_, fields.speed);
  change_->setChecked(fields.change);
  course_->setReadOnly(!fields.change);
  speed_->setReadOnly(!fields.change);
}

void UpdateDrDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!AcceptUpdateDr(logs_, reference_, Fields(), preview_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* UpdateDrDialog::FieldWidget(FixField field) {
  switch (field) {
    case FixField::kCourse:
      return course_;
    case FixField::kSpeed:
      return speed_;
    default:
      return FixDateTimeField(*dateTime_, field);
  }
}

}  // namespace navora
