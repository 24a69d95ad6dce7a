#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "app/bridge/Notice.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/tasks/AlmanacDialogModel.h"

namespace navora {

// The almanac dialogs over AlmanacDialogModel: date and time with
// repetitions (Sun/Moon/Aries and planets), date and time to the minute
// (stars), date only (all). OK keeps the dialog open, with the focus on the
// refused field, until the model accepts the entries; the request is then
// the one of the dialog's kind.
class AlmanacDialog : public QDialog {
 public:
  AlmanacDialog(AlmanacDialogKind kind, const QString& caption, Notice& notice,
                const AlmanacDialogFields& initial, QWidget* parent = nullptr);

  void accept() override;

  const AlmanacTableRequest& TableRequest() const { return table_; }
  const AlmanacStarsRequest& StarsRequest() const { return stars_; }
  const AlmanacDayRequest& DayRequest() const { return day_; }

  DateTimeGroup& DateTime() { return *dateTime_; }
  // Null unless the dialog repeats its calculation.
  QLineEdit* RepetitionsField() { return repetitions_; }
  QLineEdit* IntervalField() { return interval_; }
  QComboBox* UnitField() { return unit_; }

 private:
  // The edits read as the model takes them; false, with the message shown,
  // for an edit that does not hold an integer.
  bool ReadFields(AlmanacDialogFields& fields, AlmanacField& returnTo);
  QWidget* FieldWidget(AlmanacField field);

  AlmanacDialogKind kind_;
  Notice& notice_;
  DateTimeGroup* dateTime_;
  QLineEdit* repetitions_ = nullptr;
  QLineEdit* interval_ = nullptr;
  QComboBox* unit_ = nullptr;
  AlmanacTableRequest table_;
  AlmanacStarsRequest stars_;
  AlmanacDayRequest day_;
};

}  // namespace navora
