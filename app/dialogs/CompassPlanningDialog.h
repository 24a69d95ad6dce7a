#pragma once

#include <QDialog>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/ReferencePositionGroup.h"
#include "app/tasks/CompassDialogModels.h"

namespace navora {

// "Gyro/Compass Error - Planning" over its model: the planning date and
// time, and the reference position (its course is the ship's head of the
// relative bearings), which "Edit..." replaces. OK keeps the dialog open,
// with the focus on the refused field, until the model accepts; Request()
// is then what RunCompassPlanning lists.
class CompassPlanningDialog : public QDialog {
 public:
  // `ephemeris` and `state` outlive the dialog; `reference` is the voyage's
  // latest position. `enterFix` takes another reference (by default the New
  // Initial Fix dialog over this one).
  CompassPlanningDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                        const PositionRecord& reference, FixDialog enterFix = {},
                        QWidget* parent = nullptr);

  void accept() override;

  const CompassPlanningRequest& Request() const { return request_; }

  CompassPlanningFields Fields() const;
  void SetFields(const CompassPlanningFields& fields);

  DateTimeGroup& Date() { return *date_; }
  ReferencePositionGroup& Reference() { return *referenceGroup_; }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(CompassField field);

 private:
  Notice& notice_;
  EphemerisTable& ephemeris_;
  ReferenceState& state_;
  FixDialog enterFix_;
  PositionRecord reference_;
  DateTimeGroup* date_;
  ReferencePositionGroup* referenceGroup_;
  CompassPlanningRequest request_;
};

// The field of a compass dialog's date group that a refusal returns to.
QWidget* CompassDateField(DateTimeGroup& date, CompassField field);

}  // namespace navora
