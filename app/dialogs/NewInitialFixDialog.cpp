#include "app/dialogs/NewInitialFixDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"

namespace navora {

NewInitialFixDialog::NewInitialFixDialog(const QString& caption, Notice& notice,
                                         const PositionRecord& start, QWidget* parent)
    : QDialog(parent), notice_(notice), entries_(new FixEntryGroups(this)) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(entries_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetFields(InitialNewInitialFixFields(start));
}

void NewInitialFixDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!AcceptNewInitialFixDialog(notice_, Fields(), fix_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

FixDialog MakeFixDialog(QWidget* parent, Notice& notice) {
  return [parent, &notice](std::string_view caption, const PositionRecord& start,
                           PositionRecord& fix) {
    NewInitialFixDialog dialog(
        QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())), notice, start,
        parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    fix = dialog.Fix();
    return true;
  };
}

}  // namespace navora
