#include "app/dialogs/NewInitialFixDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <string>

#include "app/dialogs/NumericField.h"

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

}  // namespace

NewInitialFixDialog::NewInitialFixDialog(const QString& caption, Notice& notice,
                                         const PositionRecord& start, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      dateTime_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dateTime_);

  auto* position = new QGroupBox(QStringLiteral("Position"), this);
  auto* grid = new QGridLayout(position);
  latitudeDegrees_ = NumericEdit(position);
  latitudeMinutes_ = NumericEdit(position);
  north_ = new QRadioButton(QStringLiteral("&North"), position);
  south_ = new QRadioButton(QStringLiteral("&South"), position);
  longitudeDegrees_ = NumericEdit(position);
  longitudeMinutes_ = NumericEdit(position);
  east_ = new QRadioButton(QStringLiteral("&East"), position);
  west_ = new QRadioButton(QStringLiteral("&West"), position);
  // Each pair excludes within itself only.
  for (auto pair : {std::pair{north_, south_}, std::pair{east_, west_}}) {
    auto* group = new QButtonGroup(position);
    group->addButton(pair.first);
    group->addButton(pair.second);
  }
  grid->addWidget(new QLabel(QStringLiteral("deg."), position), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("min."), position), 0, 2);
  grid->addWidget(Caption("&Latitude", latitudeDegrees_, position), 1, 0);
  grid->addWidget(latitudeDegrees_, 1, 1);
  grid->addWidget(latitudeMinutes_, 1, 2);
  grid->addWidget(north_, 1, 3);
  grid->addWidget(south_, 1, 4);
  grid->addWidget(Caption("Lon&gitude", longitudeDegrees_, position), 2, 0);
  grid->addWidget(longitudeDegrees_, 2, 1);
  grid->addWidget(longitudeMinutes_, 2, 2);
  grid->addWidget(east_, 2, 3);
  grid->addWidget(west_, 2, 4);
  layout->addWidget(position);

  auto* motion = new QGroupBox(QStringLiteral("Course and Speed"), this);
  auto* row = new QGridLayout(motion);
  course_ = NumericEdit(motion);
  speed_ = NumericEdit(motion);
  row->addWidget(Caption("C&ourse (deg.)", course_, motion), 0, 0);
  row->addWidget(course_, 0, 1);
  row->addWidget(Caption("S&peed (kn.)", speed_, motion), 0, 2);
  row->addWidget(speed_, 0, 3);
  layout->addWidget(motion);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {dateTime_->SecondField(),
                      latitudeDegrees_,
                      latitudeMinutes_,
                      north_,
                      south_,
                      longitudeDegrees_,
                      longitudeMinutes_,
                      east_,
                      west_,
                      course_,
                      speed_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  SetFields(InitialNewInitialFixFields(start));
}

NewInitialFixFields NewInitialFixDialog::Fields() const {
  NewInitialFixFields fields;
  fields.day = dateTime_->Day();
  fields.monthIndex = dateTime_->MonthIndex();
  fields.yearIndex = dateTime_->YearIndex();
  fields.hour = Latin1(dateTime_->HourField());
  fields.minute = Latin1(dateTime_->MinuteField());
  fields.second = Latin1(dateTime_->SecondField());
  fields.latitudeDegrees = Latin1(latitudeDegrees_);
  fields.latitudeMinutes = Latin1(latitudeMinutes_);
  fields.south = south_->isChecked();
  fields.longitudeDegrees = Latin1(longitudeDegrees_);
  fields.longitudeMinutes = Latin1(longitudeMinutes_);
  fields.west = west_->isChecked();
  fields.course = Latin1(course_);
  fields.speed = Latin1(speed_);
  return fields;
}

void NewInitialFixDialog::SetFields(const NewInitialFixFields& fields) {
  dateTime_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  dateTime_->HourField()->setText(FromLatin1(fields.hour));
  dateTime_->MinuteField()->setText(FromLatin1(fields.minute));
  dateTime_->SecondField()->setText(FromLatin1(fields.second));
  latitudeDegrees_->setText(FromLatin1(fields.latitudeDegrees));
  latitudeMinutes_->setText(FromLatin1(fields.latitudeMinutes));
  (fields.south ? south_ : north_)->setChecked(true);
  longitudeDegrees_->setText(FromLatin1(fields.longitudeDegrees));
  longitudeMinutes_->setText(FromLatin1(fields.longitudeMinutes));
  (fields.west ? west_ : east_)->setChecked(true);
  course_->setText(FromLatin1(fields.course));
  speed_->setText(FromLatin1(fields.speed));
}

void NewInitialFixDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!AcceptNewInitialFixDialog(notice_, Fields(), fix_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* NewInitialFixDialog::FieldWidget(FixField field) {
  switch (field) {
    case FixField::kDay:
      return &dateTime_->DayField();
    case FixField::kMonth:
      return &dateTime_->MonthField();
    case FixField::kYear:
      return &dateTime_->YearField();
    case FixField::kHour:
      return dateTime_->HourField();
    case FixField::kMinute:
      return dateTime_->MinuteField();
    case FixField::kSecond:
      return dateTime_->SecondField();
    case FixField::kLatitudeDegrees:
      return latitudeDegrees_;
    case FixField::kLatitudeMinutes:
      return latitudeMinutes_;
    case FixField::kLongitudeDegrees:
      return longitudeDegrees_;
    case FixField::kLongitudeMinutes:
      return longitudeMinutes_;
    case FixField::kCourse:
      return course_;
    case FixField::kSpeed:
      return speed_;
  }
  return nullptr;
}

FixDialog MakeFixDialog(QWidget* parent, Notice& notice) {
  return [parent, &notice](std::string_view caption, const PositionRecord& start,
                           PositionRecord& fix) {
    NewInitialFixDialog dialog(
        QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())), notice, start,
        parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    fix = dialog.Fix();
    return true;
  };
}

}  // namespace navora
