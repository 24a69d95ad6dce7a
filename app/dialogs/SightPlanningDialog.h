#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/dialogs/ReferencePositionGroup.h"
#include "app/tasks/PlanningDialogModel.h"

namespace navora {

// The dialog "Sky Chart..." and "Selected Stars..." share, over the sight
// planning model: the planning time as "Other:" (date and time, UTC) or
// "Twilight" (morning or evening of the date), and the reference position
// the ship is advanced from, which "Edit..." replaces. Selected Stars adds
// the expected-precision option. OK keeps the dialog open, with the focus on
// the refused field, until the model accepts; Request() is then what the
// command computes.
class SightPlanningDialog : public QDialog {
 public:
  enum class Kind { kSkyChart, kSelectedStars };

  // `ephemeris` and `state` outlive the dialog; `reference` is the voyage's
  // latest position. `enterFix` takes another reference (by default the New
  // Initial Fix dialog over this one).
  SightPlanningDialog(Kind kind, Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                      const PositionRecord& reference, FixDialog enterFix = {},
                      QWidget* parent = nullptr);

  void accept() override;

  const SightPlanningRequest& Request() const { return request_; }

  SightPlanningFields Fields() const;
  void SetFields(const SightPlanningFields& fields);

  DateTimeGroup& Date() { return *date_; }
  QRadioButton& TwilightButton() { return *twilight_; }
  QCheckBox* PrecisionBox() { return precision_; }  // null for the sky chart
  ReferencePositionGroup& Reference() { return *referenceGroup_; }
  // The widget a refused entry returns to.
  QWidget* FieldWidget(PlanningField field);

 private:
  // The time edits serve "Other:", Morning and Evening "Twilight", the grade
  // the precision option.
  void UpdateEnabled();

  Notice& notice_;
  EphemerisTable& ephemeris_;
  ReferenceState& state_;
  FixDialog enterFix_;
  PositionRecord reference_;
  QRadioButton* other_;
  QRadioButton* twilight_;
  QRadioButton* morning_;
  QRadioButton* evening_;
  DateTimeGroup* date_;
  ReferencePositionGroup* referenceGroup_;
  QCheckBox* precision_ = nullptr;
  QComboBox* grade_ = nullptr;
  SightPlanningRequest request_;
};

}  // namespace navora
