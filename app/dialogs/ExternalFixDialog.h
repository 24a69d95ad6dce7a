#pragma once

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/tasks/PositionTasks.h"

namespace navora {

// The External Fix dialog: the fix dialog's fields, opened on the reference
// position, with the reference's time shown below. OK keeps the dialog open,
// the refused field selected, until AcceptExternalFix takes the entries and
// works out the current; Preview() then holds the report.
class ExternalFixDialog : public NewInitialFixDialog {
 public:
  // The logs and engine state in `logs` outlive the dialog; `reference` is
  // the latest position.
  ExternalFixDialog(const PositionTaskLogs& logs, const PositionRecord& reference,
                    QWidget* parent = nullptr);

  void accept() override;

  const ExternalFixPreview& Preview() const { return preview_; }

 private:
  PositionTaskLogs logs_;  // references only: cheap to hold
  ExternalFixPreview preview_;
};

}  // namespace navora
