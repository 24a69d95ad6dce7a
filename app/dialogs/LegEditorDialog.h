#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "app/bridge/Notice.h"
#include "app/dialogs/FixEntryGroups.h"
#include "app/tasks/LegEditorModel.h"

namespace navora {

// The Leg Editor over LegEditorModel: the fields of the fix dialog, the
// status of the current leg, the moves through the legs, Delete/UnDelete,
// Reset, Done and Cancel. The model decides; the dialog shows its state and
// sends the focus back to a refused field. After Done, Edits() is what to
// apply.
class LegEditorDialog : public QDialog {
 public:
  LegEditorDialog(LegEditorMode mode, const LegsAndSights& loaded, int legIndex, Notice& notice,
                  QWidget* parent = nullptr);

  // Done.
  void accept() override;

  const LegEdits& Edits() const { return edits_; }
  const LegEditorModel& Model() const { return model_; }

  // The entries as the model takes them.
  NewInitialFixFields Fields() const { return entries_->Fields(); }
  void SetFields(const NewInitialFixFields& fields);

  QLabel& StatusLabel() { return *status_; }
  QPushButton& MoveButton(LegMove move) { return *moves_[static_cast<size_t>(move)]; }
  QPushButton& DeleteButton() { return *delete_; }
  QPushButton& ResetButton() { return *reset_; }
  QLineEdit& CourseField() { return entries_->CourseField(); }

 private:
  void Move(LegMove move);
  void FieldsChanged();
  // Shows the model's current leg and state.
  void ShowLeg();
  void ShowState();

  Notice& notice_;
  LegEditorModel model_;
  LegEdits edits_;
  bool showing_ = false;  // the fields are being filled from the model
  FixEntryGroups* entries_;
  QLabel* status_;
  std::array<QPushButton*, 4> moves_;
  QPushButton* delete_;
  QPushButton* reset_;
};

}  // namespace navora
