#include "app/dialogs/ExternalFixDialog.h"

#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"
#include "app/dialogs/ReferenceTimeGroup.h"

namespace navora {

ExternalFixDialog::ExternalFixDialog(const PositionTaskLogs& logs, const PositionRecord& reference,
                                     QWidget* parent)
    : NewInitialFixDialog(QStringLiteral("Position Update - External Fix"), logs.notice, reference,
                          parent),
      logs_(logs) {
  // Above the OK and Cancel row, the last item of the fix dialog's layout.
  if (auto* column = qobject_cast<QVBoxLayout*>(layout())) {
    column->insertWidget(column->count() - 1, new ReferenceTimeGroup(reference.time, this));
  }
  DateTime().DayField().setFocus(Qt::OtherFocusReason);
}

void ExternalFixDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!AcceptExternalFix(logs_, Fields(), preview_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

}  // namespace navora
