#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/PositionGroup.h"
#include "app/tasks/NewInitialFixDialogModel.h"

namespace navora {

// The entries of a fix, as the New Initial Fix dialog and the Leg Editor show
// them: "Date and Time (UTC)", "Position", and "Course and Speed".
class FixEntryGroups : public QWidget {
 public:
  explicit FixEntryGroups(QWidget* parent);

  NewInitialFixFields Fields() const;
  void SetFields(const NewInitialFixFields& fields);
  // The widget a refused entry returns to.
  QWidget* FieldWidget(FixField field);
  // Calls `edited` whenever the navigator changes any entry.
  void OnEdited(const std::function<void()>& edited);

  DateTimeGroup& DateTime() { return *dateTime_; }
  PositionGroup& Position() { return *position_; }
  QLineEdit& CourseField() { return *course_; }
  QLineEdit& SpeedField() { return *speed_; }

 private:
  DateTimeGroup* dateTime_;
  PositionGroup* position_;
  QLineEdit* course_;
  QLineEdit* speed_;
};

// The date or time field of `group` that a refused fix entry names; null
// for the fields outside the group.
QWidget* FixDateTimeField(DateTimeGroup& group, FixField field);

}  // namespace navora
