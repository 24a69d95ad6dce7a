#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "app/dialogs/DateTimeGroup.h"
#include "app/tasks/PositionTasks.h"

namespace navora {

// The Update DR dialog over the position tasks: the time of the DR, a new
// course and speed when "Change ?" is set, and the reference's time for
// comparison. OK keeps the dialog open, the refused field selected, until
// AcceptUpdateDr takes the entries; Preview() then holds the report.
class UpdateDrDialog : public QDialog {
 public:
  // The logs and engine state in `logs` outlive the dialog; `reference` is
  // the latest position.
  UpdateDrDialog(const PositionTaskLogs& logs, const PositionRecord& reference,
                 QWidget* parent = nullptr);

  void accept() override;

  const UpdateDrPreview& Preview() const { return preview_; }

  UpdateDrFields Fields() const;
  void SetFields(const UpdateDrFields& fields);

  DateTimeGroup& DateTime() { return *dateTime_; }
  QLineEdit& CourseField() { return *course_; }

 private:
  QWidget* FieldWidget(FixField field);

  PositionTaskLogs logs_;  // references only: cheap to hold
  PositionRecord reference_;
  DateTimeGroup* dateTime_;
  QCheckBox* change_;
  QLineEdit* course_;
  QLineEdit* speed_;
  UpdateDrPreview preview_;
};

}  // namespace navora
