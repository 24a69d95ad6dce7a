#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/PositionGroup.h"
#include "app/dialogs/RiseSetGroups.h"
#include "app/tasks/RiseSetDialogModels.h"

namespace navora {

// "Rise/Set/Transit - Fixed Site" over the fixed-site model: date, time
// zone, location, height of eye, body and the number of days. OK keeps the
// dialog open, with the focus on the refused field, until the model accepts
// the entries; Request() is then what RunRiseSetFixed tabulates.
class RiseSetFixedDialog : public QDialog {
 public:
  // `ephemeris` and `state` outlive the dialog; `latest` is the voyage's
  // latest position (or the default record), whose date and place it opens on.
  RiseSetFixedDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                     const PositionRecord& latest, QWidget* parent = nullptr);

  void accept() override;

  const RiseSetFixedRequest& Request() const { return request_; }

  RiseSetFixedFields Fields() const;
  void SetFields(const RiseSetFixedFields& fields);

  DateTimeGroup& Date() { return *date_; }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(RiseSetField field);

 private:
  Notice& notice_;
  EphemerisTable& ephemeris_;
  ReferenceState& state_;
  DateTimeGroup* date_;
  TimeZoneGroup* zone_;
  PositionGroup* location_;
  QLineEdit* height_;
  QRadioButton* feet_;
  QRadioButton* metres_;
  RiseSetBodyGroup* body_;
  QLineEdit* repetitions_;
  RiseSetFixedRequest request_;
};

}  // namespace navora
