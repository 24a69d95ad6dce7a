#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/dialogs/DateTimeGroup.h"
#include "app/tasks/ObservationRecorderModel.h"

namespace navora {

// The Observation Recorder over ObservationRecorderModel: the entries of one
// sight, the status of the current sight beside the date, the action button
// (Add, Remove or Reset), Delete/UnDelete, the moves through the sights, Done
// and Cancel. The model decides; the dialog shows its state and sends the
// focus back to a refused field. After Done, the model's NewSights() or
// Edits() is the result.
class ObservationRecorderDialog : public QDialog {
 public:
  // `model` as opened (in the log modes, after AskAboutSightsBeforeFix).
  ObservationRecorderDialog(ObservationRecorderModel model, Notice& notice,
                            QWidget* parent = nullptr);

  // Done.
  void accept() override;

  const ObservationRecorderModel& Model() const { return model_; }

  // The entries as the model takes them.
  ObservationFields Fields() const;
  void SetFields(const ObservationFields& fields);
  // The widget a refused entry returns to.
  QWidget* FieldWidget(ObservationField field);

  DateTimeGroup& DateTime() { return *dateTime_; }
  QComboBox& BodyField() { return *body_; }
  QComboBox& LimbField() { return *limb_; }
  QLineEdit& HsDegreesField() { return *hsDegrees_; }
  QLineEdit& HsMinutesField() { return *hsMinutes_; }
  QLineEdit& PressureField() { return *pressure_; }
  QLabel& StatusLabel() { return *status_; }
  QPushButton& ActionButton() { return *action_; }
  QPushButton& DeleteButton() { return *delete_; }
  QPushButton& MoveButton(RecorderMove move) { return *moves_[static_cast<size_t>(move)]; }

 private:
  void BuildSightGroup(QWidget* parent, QGridLayout& grid);
  void Move(RecorderMove move);
  void RunAction();
  void FieldsChanged();
  void ReturnTo(ObservationField field);
  // Shows the model's current sight and state.
  void ShowSight();
  void ShowState();

  Notice& notice_;
  ObservationRecorderModel model_;
  bool showing_ = false;  // the fields are being filled from the model
  DateTimeGroup* dateTime_;
  QLabel* status_;
  QLineEdit* ut1MinusUtc_;
  QComboBox* body_;
  QLineEdit* hsDegrees_;
  QLineEdit* hsMinutes_;
  QComboBox* limb_;
  QComboBox* quality_;
  QLineEdit* heightOfEye_;
  QLineEdit* indexCorrection_;
  QLineEdit* temperature_;
  QLineEdit* pressure_;
  std::vector<QWidget*> entries_;  // every entry but the limb, which follows the body
  QPushButton* action_;
  QPushButton* delete_;
  std::array<QPushButton*, 4> moves_;
};

}  // namespace navora
