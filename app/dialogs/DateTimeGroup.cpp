#include "app/dialogs/DateTimeGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialogs/NumericField.h"
#include "app/tasks/AlmanacDialogModel.h"

namespace navora {
namespace {

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr int kTimeDigits = 2;

QLineEdit* AddTimeField(QGridLayout& grid, int column, const char* label, QWidget* parent) {
  QLineEdit* edit = NewNumericEdit(parent);
  FormatIntegerOnFocusOut(*edit, kTimeDigits);
  grid.addWidget(BuddyLabel(label, edit, parent), 2, column);
  grid.addWidget(edit, 3, column);
  return edit;
}

}  // namespace

DateTimeGroup::DateTimeGroup(TimeFields time, QWidget* parent)
    : QGroupBox(QStringLiteral("Date and Time (UTC)"), parent),
      day_(new QSpinBox(this)),
      month_(new QComboBox(this)),
      year_(new QComboBox(this)),
      currentDate_(new QPushButton(QStringLiteral("C&urrent Date"), this)) {
  auto* grid = new QGridLayout(this);
  auto addLabelled = [this, grid](int column, const char* label, QWidget* field) {
    grid->addWidget(BuddyLabel(label, field, this), 0, column);
    grid->addWidget(field, 1, column);
  };
  addLabelled(0, "&Day", day_);
  addLabelled(1, "&Month", month_);
  addLabelled(2, "&Year", year_);
  grid->addWidget(currentDate_, 1, 3);
  for (const char* name : kMonthNames) month_->addItem(QString::fromLatin1(name));
  for (int i = 0; i < kAlmanacYearCount; ++i)
    year_->addItem(QString::number(kFirstAlmanacYear + i));
  if (auto* dayEdit = day_->findChild<QLineEdit*>()) MakeNumericField(*day_, *dayEdit);

  if (time != TimeFields::kNone) {
    hour_ = AddTimeField(*grid, 0, "&Hour", this);
    minute_ = AddTimeField(*grid, 1, "M&in.", this);
  }
  if (time == TimeFields::kHourMinuteSecond) second_ = AddTimeField(*grid, 2, "Se&c.", this);

  // Keyboard order: the date, its button, then the time.
  QWidget* order[] = {day_, month_, year_, currentDate_, hour_, minute_, second_};
  QWidget* previous = nullptr;
  for (QWidget* field : order) {
    if (field == nullptr) continue;
    if (previous != nullptr) setTabOrder(previous, field);
    previous = field;
  }

  connect(month_, &QComboBox::currentIndexChanged, this, [this] { UpdateDayRange(); });
  connect(year_, &QComboBox::currentIndexChanged, this, [this] { UpdateDayRange(); });
  connect(currentDate_, &QPushButton::clicked, this, [this] {
    AlmanacDialogFields today;
    SetCurrentAlmanacDate(today, NowJulianDate());
    SetDate(today.day, today.monthIndex, today.yearIndex);
    for (QLineEdit* edit : {hour_, minute_, second_}) {
      if (edit != nullptr) edit->clear();
    }
    if (hour_ != nullptr) hour_->setFocus(Qt::OtherFocusReason);
  });
  UpdateDayRange();
}

void DateTimeGroup::SetDate(int day, int monthIndex, int yearIndex) {
  month_->setCurrentIndex(monthIndex);
  year_->setCurrentIndex(yearIndex);
  day_->setValue(day);
}

void DateTimeGroup::UpdateDayRange() {
  day_->setRange(1, AlmanacDayLimit(month_->currentIndex(), year_->currentIndex()));
}

QWidget* DateTimeGroup::PartField(Part part) {
  switch (part) {
    case Part::kDay:
      return day_;
    case Part::kMonth:
      return month_;
    case Part::kYear:
      return year_;
    case Part::kHour:
      return hour_;
    case Part::kMinute:
      return minute_;
    case Part::kSecond:
      return second_;
  }
  return nullptr;
}

}  // namespace navora
