#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/dialogs/EditText.h"

namespace navora {

// The "Date and Time (UTC)" group of the task dialogs: Day (a spin whose
// range follows the month and year), Month and Year lists (index 0 is
// January / 1970, -1 none), the Hour, Min. and Sec. edits the dialog shows
// ("%02d"), and "Current Date". The dialog owns what the fields mean; the
// group only shows them.
class DateTimeGroup : public QGroupBox {
 public:
  enum class TimeFields { kNone, kHourMinute, kHourMinuteSecond };

  DateTimeGroup(TimeFields time, QWidget* parent = nullptr);

  void SetDate(int day, int monthIndex, int yearIndex);
  int Day() const { return day_->value(); }
  int MonthIndex() const { return month_->currentIndex(); }
  int YearIndex() const { return year_->currentIndex(); }

  QSpinBox& DayField() { return *day_; }
  QComboBox& MonthField() { return *month_; }
  QComboBox& YearField() { return *year_; }
  // Null when the dialog does not show them.
  QLineEdit* HourField() { return hour_; }
  QLineEdit* MinuteField() { return minute_; }
  QLineEdit* SecondField() { return second_; }
  QPushButton& CurrentDateButton() { return *currentDate_; }

  // The fields in the order the dialog models name them.
  enum class Part { kDay, kMonth, kYear, kHour, kMinute, kSecond };
  QWidget* PartField(Part part);

  // The date and time entries of a model's fields (members day, monthIndex,
  // yearIndex and the texts hour, minute, second); a time edit the group
  // does not show reads as empty.
  template <typename Fields>
  void ReadInto(Fields& fields) const {
    fields.day = Day();
    fields.monthIndex = MonthIndex();
    fields.yearIndex = YearIndex();
    fields.hour = hour_ ? EditText(*hour_) : std::string();
    fields.minute = minute_ ? EditText(*minute_) : std::string();
    fields.second = second_ ? EditText(*second_) : std::string();
  }
  template <typename Fields>
  void Show(const Fields& fields) {
    SetDate(fields.day, fields.monthIndex, fields.yearIndex);
    if (hour_) SetEditText(*hour_, fields.hour);
    if (minute_) SetEditText(*minute_, fields.minute);
    if (second_) SetEditText(*second_, fields.second);
  }

 private:
  void UpdateDayRange();

  QSpinBox* day_;
  QComboBox* month_;
  QComboBox* year_;
  QLineEdit* hour_ = nullptr;
  QLineEdit* minute_ = nullptr;
  QLineEdit* second_ = nullptr;
  QPushButton* currentDate_;
};

}  // namespace navora
