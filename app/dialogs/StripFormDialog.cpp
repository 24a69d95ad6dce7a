#include "app/dialogs/StripFormDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace navora {
namespace {

enum Column { kLabelColumn, kValueColumn, kMinutesColumn, kColumns };

QLabel* ValueLabel(const std::string& text, const QFont& font, Qt::Alignment alignment,
                   QWidget* parent) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setFont(font);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

StripFormDialog::StripFormDialog(const StripForm& form, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(kStripFormTitle));
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(fontMetrics().averageCharWidth());
  int row = 0;
  for (const StripFormRow& line : StripFormRows(form)) {
    auto* label = new QLabel(QString::fromLatin1(line.label), this);
    grid->addWidget(label, row, kLabelColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (line.minutes.empty()) {
      grid->addWidget(ValueLabel(line.value, fixed, Qt::AlignLeft, this), row, kValueColumn, 1,
                      kColumns - kValueColumn);
    } else {
      grid->addWidget(ValueLabel(line.value, fixed, Qt::AlignRight, this), row, kValueColumn);
      grid->addWidget(ValueLabel(line.minutes, fixed, Qt::AlignLeft, this), row, kMinutesColumn);
    }
    ++row;
  }
  grid->setColumnStretch(kMinutesColumn, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace navora
