#pragma once

#include <QDialog>
#include <QLineEdit>

#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/PositionGroup.h"
#include "app/tasks/WaypointTask.h"

namespace navora {

// The Waypoint dialog over the waypoint model: the arrival time, the
// waypoint's position, the departure time and the reference's time. OK keeps
// the dialog open, the refused field selected, until AcceptWaypointDialog
// takes the entries; Request() is then what RunWaypoint computes.
class WaypointDialog : public QDialog {
 public:
  // `ephemeris` and `state` outlive the dialog; `reference` is the latest position.
  WaypointDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                 const PositionRecord& reference, QWidget* parent = nullptr);

  void accept() override;

  const WaypointRequest& Request() const { return request_; }

  WaypointFields Fields() const;
  void SetFields(const WaypointFields& fields);

  DateTimeGroup& Arrival() { return *arrival_; }
  DateTimeGroup& Departure() { return *departure_; }
  QLineEdit& LongitudeDegreesField() { return position_->LongitudeDegrees(); }

 private:
  QWidget* FieldWidget(WaypointField field);

  Notice& notice_;
  EphemerisTable& ephemeris_;
  ReferenceState& state_;
  PositionRecord reference_;
  DateTimeGroup* arrival_;
  PositionGroup* position_;
  DateTimeGroup* departure_;
  WaypointRequest request_;
};

}  // namespace navora
