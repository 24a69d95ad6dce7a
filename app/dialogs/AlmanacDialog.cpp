#include "app/dialogs/AlmanacDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <optional>

#include "app/dialogs/EditText.h"
#include "app/dialogs/NumericField.h"
#include "app/tasks/NumericFieldRules.h"

namespace navora {
namespace {

constexpr int kTimeDigits = 2;
constexpr int kRepeatDigits = 3;
constexpr const char* kUnitNames[] = {"Days", "Hours", "Minutes", "Seconds"};

DateTimeGroup::TimeFields TimeFieldsOf(AlmanacDialogKind kind) {
  switch (kind) {
    case AlmanacDialogKind::kTable:
      return DateTimeGroup::TimeFields::kHourMinuteSecond;
    case AlmanacDialogKind::kStars:
      return DateTimeGroup::TimeFields::kHourMinute;
    case AlmanacDialogKind::kDay:
      break;
  }
  return DateTimeGroup::TimeFields::kNone;
}

void ShowTime(QLineEdit* edit, const std::optional<int>& value) {
  if (edit != nullptr) edit->setText(value ? ZeroPadded(*value, kTimeDigits) : QString());
}

FieldText ReadInteger(const QLineEdit& edit, int& value) {
  return ParseIntegerField(EditText(edit), value);
}

}  // namespace

AlmanacDialog::AlmanacDialog(AlmanacDialogKind kind, const QString& caption, Notice& notice,
                             const AlmanacDialogFields& initial, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      notice_(notice),
      dateTime_(new DateTimeGroup(TimeFieldsOf(kind), this)) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dateTime_);
  dateTime_->SetDate(initial.day, initial.monthIndex, initial.yearIndex);
  ShowTime(dateTime_->HourField(), initial.hour);
  ShowTime(dateTime_->MinuteField(), initial.minute);
  ShowTime(dateTime_->SecondField(), initial.second);

  QWidget* lastField = dateTime_->SecondField()   ? dateTime_->SecondField()
                       : dateTime_->MinuteField() ? static_cast<QWidget*>(dateTime_->MinuteField())
                                                  : &dateTime_->CurrentDateButton();
  if (kind == AlmanacDialogKind::kTable) {
    auto* repeat = new QGroupBox(QStringLiteral("&Repeat calculation"), this);
    auto* row = new QHBoxLayout(repeat);
    repetitions_ = new QLineEdit(ZeroPadded(initial.repetitions, kRepeatDigits), repeat);
    interval_ = new QLineEdit(ZeroPadded(initial.intervalValue, kRepeatDigits), repeat);
    unit_ = new QComboBox(repeat);
    for (const char* name : kUnitNames) unit_->addItem(QString::fromLatin1(name));
    unit_->setCurrentIndex(static_cast<int>(initial.unit));
    auto* times = new QLabel(QStringLiteral("&times, in multiples of"), repeat);
    times->setBuddy(interval_);
    for (QLineEdit* edit : {repetitions_, interval_}) {
      MakeNumericField(*edit);
      FormatIntegerOnFocusOut(*edit, kRepeatDigits);
    }
    row->addWidget(repetitions_);
    row->addWidget(times);
    row->addWidget(interval_);
    row->addWidget(unit_);
    layout->addWidget(repeat);
    setTabOrder(lastField, repetitions_);
    setTabOrder(repetitions_, interval_);
    setTabOrder(interval_, unit_);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AlmanacDialog::accept() {
  AlmanacDialogFields fields;
  AlmanacField returnTo = AlmanacField::kDay;
  bool accepted = ReadFields(fields, returnTo);
  if (accepted) {
    switch (kind_) {
      case AlmanacDialogKind::kTable:
        accepted = AcceptAlmanacTableDialog(notice_, fields, table_, returnTo);
        break;
      case AlmanacDialogKind::kStars:
        accepted = AcceptAlmanacStarsDialog(notice_, fields, stars_, returnTo);
        break;
      case AlmanacDialogKind::kDay:
        accepted = AcceptAlmanacDayDialog(notice_, fields, day_, returnTo);
        break;
    }
  }
  if (!accepted) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

bool AlmanacDialog::ReadFields(AlmanacDialogFields& fields, AlmanacField& returnTo) {
  fields.day = dateTime_->Day();
  fields.monthIndex = dateTime_->MonthIndex();
  fields.yearIndex = dateTime_->YearIndex();
  // Time edits may be empty; the repetition edits must hold a count.
  struct Edit {
    QLineEdit* edit;
    AlmanacField field;
    std::optional<int>* time;
    int* count;
  };
  const Edit edits[] = {{dateTime_->HourField(), AlmanacField::kHour, &fields.hour, nullptr},
                        {dateTime_->MinuteField(), AlmanacField::kMinute, &fields.minute, nullptr},
                        {dateTime_->SecondField(), AlmanacField::kSecond, &fields.second, nullptr},
                        {repetitions_, AlmanacField::kRepetitions, nullptr, &fields.repetitions},
                        {interval_, AlmanacField::kInterval, nullptr, &fields.intervalValue}};
  for (const Edit& edit : edits) {
    if (edit.edit == nullptr) continue;
    int value = 0;
    const FieldText read = ReadInteger(*edit.edit, value);
    if (read == FieldText::kInvalid || (read == FieldText::kEmpty && edit.count != nullptr)) {
      notice_.Show(kIntegerExpectedText, kNoticeOk);
      returnTo = edit.field;
      return false;
    }
    if (edit.time != nullptr) {
      *edit.time = read == FieldText::kValue ? std::optional<int>(value) : std::nullopt;
    } else {
      *edit.count = value;
    }
  }
  if (unit_ != nullptr) fields.unit = static_cast<IntervalUnit>(unit_->currentIndex());
  return true;
}

QWidget* AlmanacDialog::FieldWidget(AlmanacField field) {
  switch (field) {
    case AlmanacField::kDay:
      return &dateTime_->DayField();
    case AlmanacField::kMonth:
      return &dateTime_->MonthField();
    case AlmanacField::kYear:
      return &dateTime_->YearField();
    case AlmanacField::kHour:
      return dateTime_->HourField();
    case AlmanacField::kMinute:
      return dateTime_->MinuteField();
    case AlmanacField::kSecond:
      return dateTime_->SecondField();
    case AlmanacField::kRepetitions:
      return repetitions_;
    case AlmanacField::kInterval:
      return interval_;
  }
  return nullptr;
}

}  // namespace navora
