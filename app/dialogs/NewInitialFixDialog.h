#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <string_view>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/tasks/NewInitialFixDialogModel.h"

namespace navora {

// The New Initial Fix dialog over NewInitialFixDialogModel: date and time,
// position, course and speed. OK keeps the dialog open, with the focus on the
// refused field, until the model accepts the entries; Fix() is then the
// initial fix.
class NewInitialFixDialog : public QDialog {
 public:
  NewInitialFixDialog(const QString& caption, Notice& notice, const PositionRecord& start,
                      QWidget* parent = nullptr);

  void accept() override;

  const PositionRecord& Fix() const { return fix_; }

  // The entries as the model takes them.
  NewInitialFixFields Fields() const;
  void SetFields(const NewInitialFixFields& fields);

  DateTimeGroup& DateTime() { return *dateTime_; }
  QLineEdit& LatitudeDegreesField() { return *latitudeDegrees_; }
  QLineEdit& LongitudeDegreesField() { return *longitudeDegrees_; }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(FixField field);

 private:
  Notice& notice_;
  DateTimeGroup* dateTime_;
  QLineEdit* latitudeDegrees_;
  QLineEdit* latitudeMinutes_;
  QRadioButton* north_;
  QRadioButton* south_;
  QLineEdit* longitudeDegrees_;
  QLineEdit* longitudeMinutes_;
  QRadioButton* east_;
  QRadioButton* west_;
  QLineEdit* course_;
  QLineEdit* speed_;
  PositionRecord fix_;
};

// The fix dialog of the task bridge (TaskNewInitialFix,
// TaskEnsureReferencePosition): a modal NewInitialFixDialog over `parent`.
FixDialog MakeFixDialog(QWidget* parent, Notice& notice);

}  // namespace navora
