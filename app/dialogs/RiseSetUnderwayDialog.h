#pragma once

#include <QDialog>
#include <QLineEdit>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/ReferencePositionGroup.h"
#include "app/dialogs/RiseSetGroups.h"
#include "app/tasks/RiseSetDialogModels.h"

namespace navora {

// "Rise/Set/Transit - Underway" over the underway model: date, time zone,
// height of eye and body, and the reference position the ship is advanced
// from, which "Edit..." replaces. OK keeps the dialog open, with the focus
// on the refused field, until the model accepts the entries; Request() is
// then what RunRiseSetUnderway tabulates.
class RiseSetUnderwayDialog : public QDialog {
 public:
  // `ephemeris` and `state` outlive the dialog; `reference` is the voyage's
  // latest position. `enterFix` takes another reference (by default the
  // New Initial Fix dialog over this one).
  RiseSetUnderwayDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                        const PositionRecord& reference, FixDialog enterFix = {},
                        QWidget* parent = nullptr);

  void accept() override;

  const RiseSetUnderwayRequest& Request() const { return request_; }

  RiseSetUnderwayFields Fields() const;
  void SetFields(const RiseSetUnderwayFields& fields);

  DateTimeGroup& Date() { return *date_; }
  QPushButton& EditButton() { return referenceGroup_->EditButton(); }
  // The reference as shown, one line per item.
  QString ReferenceText() const { return referenceGroup_->Text(); }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(RiseSetField field);

 private:
  Notice& notice_;
  EphemerisTable& ephemeris_;
  ReferenceState& state_;
  FixDialog enterFix_;
  PositionRecord reference_;
  DateTimeGroup* date_;
  TimeZoneGroup* zone_;
  QLineEdit* height_;
  RiseSetBodyGroup* body_;
  ReferencePositionGroup* referenceGroup_;
  RiseSetUnderwayRequest request_;
};

}  // namespace navora
