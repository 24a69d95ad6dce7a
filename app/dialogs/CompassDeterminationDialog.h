#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "app/bridge/Notice.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/tasks/CompassDialogModels.h"

namespace navora {

// "Gyro/Compass Error - Determination" over its model: the instant of the
// bearing to the second, the observed azimuth or the relative bearing with
// the ship's heading, the body from the list of the observation dialogs, and
// UT1 - UTC. OK keeps the dialog open, with the focus on the refused field,
// until the model accepts; Request() is then what RunCompassError reports.
class CompassDeterminationDialog : public QDialog {
 public:
  // `reference` is the voyage's latest position, which the ship is advanced
  // from; `fields` what the dialog opens on (InitialCompassErrorFields).
  CompassDeterminationDialog(Notice& notice, const PositionRecord& reference,
                             const CompassErrorFields& fields, QWidget* parent = nullptr);

  void accept() override;

  const CompassErrorRequest& Request() const { return request_; }

  CompassErrorFields Fields() const;
  void SetFields(const CompassErrorFields& fields);

  DateTimeGroup& Date() { return *date_; }
  QRadioButton& RelativeButton() { return *relative_; }
  QComboBox& BodyField() { return *body_; }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(CompassField field);

 private:
  // The azimuth edit serves "Azimuth", bearing and heading "Relative Bearing".
  void UpdateEnabled();

  Notice& notice_;
  PositionRecord reference_;
  DateTimeGroup* date_;
  QRadioButton* azimuthChoice_;
  QRadioButton* relative_;
  QLineEdit* azimuth_;
  QLineEdit* bearing_;
  QLineEdit* heading_;
  QComboBox* body_;
  QLineEdit* ut1MinusUtc_;
  CompassErrorRequest request_;
};

}  // namespace navora
