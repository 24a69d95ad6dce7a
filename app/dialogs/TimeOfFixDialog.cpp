#include "app/dialogs/TimeOfFixDialog.h"

#include <QLabel>
#include <QVBoxLayout>

namespace navora {
namespace {

// In FixTimeChoice order.
constexpr const char* kChoiceTexts[] = {"Time of &First Observation", "&Avg. Time of Observation",
                                        "Time of &Last Observation"};

}  // namespace

TimeOfFixDialog::TimeOfFixDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Compute Fix"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Choose a Time of Fix:"), this));
  for (size_t i = 0; i < choices_.size(); ++i) {
    choices_[i] = new QPushButton(QString::fromLatin1(kChoiceTexts[i]), this);
    choices_[i]->setAutoDefault(false);
    const auto choice = static_cast<FixTimeChoice>(i);
    connect(choices_[i], &QPushButton::clicked, this, [this, choice] {
      choice_ = choice;
      accept();
    });
    layout->addWidget(choices_[i]);
  }
  // The last observation is nearest the present: the likeliest time wanted.
  ChoiceButton(FixTimeChoice::kLast).setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addSpacing(layout->spacing());
  layout->addWidget(cancel);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace navora
