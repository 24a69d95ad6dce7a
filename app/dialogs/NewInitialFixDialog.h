#pragma once

#include <QDialog>
#include <QLineEdit>
#include <string_view>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/FixEntryGroups.h"
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
  NewInitialFixFields Fields() const { return entries_->Fields(); }
  void SetFields(const NewInitialFixFields& fields) { entries_->SetFields(fields); }

  DateTimeGroup& DateTime() { return entries_->DateTime(); }
  QLineEdit& LatitudeDegreesField() { return entries_->Position().LatitudeDegrees(); }
  QLineEdit& LongitudeDegreesField() { return entries_->Position().LongitudeDegrees(); }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(FixField field) { return entries_->FieldWidget(field); }

 private:
  Notice& notice_;
  FixEntryGroups* entries_;
  PositionRecord fix_;
};

// The fix dialog of the task bridge (TaskNewInitialFix,
// TaskEnsureReferencePosition): a modal NewInitialFixDialog over `parent`.
FixDialog MakeFixDialog(QWidget* parent, Notice& notice);

}  // namespace navora
