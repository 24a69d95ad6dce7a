#include "app/dialogs/LegEditorDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

struct MoveButton {
  const char* text;
  const char* toolTip;
};

constexpr MoveButton kMoveButtons[] = {
    {"BEGIN", "First Leg"},
    {"PREVIOUS", "Previous Leg"},
    {"NEXT", "Next Leg"},
    {"END", "Last Leg"},
};

}  // namespace

LegEditorDialog::LegEditorDialog(LegEditorMode mode, const LegsAndSights& loaded, int legIndex,
                                 Notice& notice, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      model_(mode, loaded, legIndex),
      entries_(new FixEntryGroups(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(entries_);

  status_ = new QLabel(this);
  status_->setAlignment(Qt::AlignCenter);
  layout->addWidget(status_);

  auto* moves = new QHBoxLayout;
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i] = new QPushButton(QString::fromLatin1(kMoveButtons[i].text), this);
    moves_[i]->setToolTip(QString::fromLatin1(kMoveButtons[i].toolTip));
    moves_[i]->setAutoDefault(false);
    const auto move = static_cast<LegMove>(i);
    connect(moves_[i], &QPushButton::clicked, this, [this, move] { Move(move); });
    moves->addWidget(moves_[i]);
  }
  layout->addLayout(moves);

  auto* actions = new QHBoxLayout;
  delete_ = new QPushButton(this);
  reset_ = new QPushButton(QStringLiteral("&Reset"), this);
  auto* done = new QPushButton(QStringLiteral("Done"), this);  // the default: Enter
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  for (QPushButton* button : {delete_, reset_, cancel}) button->setAutoDefault(false);
  done->setDefault(true);
  connect(delete_, &QPushButton::clicked, this, [this] {
    model_.ToggleDelete();
    ShowState();
  });
  connect(reset_, &QPushButton::clicked, this, [this] {
    model_.Reset();
    ShowLeg();
  });
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* button : {delete_, reset_, done, cancel}) actions->addWidget(button);
  layout->addLayout(actions);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Every change of an entry reaches the model, which marks the leg edited.
  entries_->OnEdited([this] { FieldsChanged(); });
  entries_->setEnabled(model_.FieldsEnabled());
  ShowLeg();
}

void LegEditorDialog::SetFields(const NewInitialFixFields& fields) {
  showing_ = true;
  entries_->SetFields(fields);
  showing_ = false;
  FieldsChanged();
}

void LegEditorDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!model_.Done(notice_, edits_, returnTo)) {
    if (QWidget* field = entries_->FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

void LegEditorDialog::Move(LegMove move) {
  FixField returnTo = FixField::kDay;
  if (!model_.Move(notice_, move, returnTo)) {
    if (QWidget* field = entries_->FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  ShowLeg();
}

void LegEditorDialog::FieldsChanged() {
  if (showing_) return;
  model_.SetFields(Fields());
  ShowState();
}

void LegEditorDialog::ShowLeg() {
  SetFields(model_.Fields());
  ShowState();
}

void LegEditorDialog::ShowState() {
  setWindowTitle(QString::fromLatin1(model_.Title()));
  status_->setText(QString::fromLatin1(model_.Status()));
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i]->setEnabled(model_.CanMove(static_cast<LegMove>(i)));
  }
  // "Dele&te": the other first letters are the fields' mnemonics.
  QString text = QString::fromLatin1(model_.DeleteButtonText());
  delete_->setText(text.insert(text.size() - 2, QLatin1Char('&')));
  delete_->setEnabled(model_.CanToggleDelete());
  reset_->setEnabled(model_.CanReset());
}

}  // namespace navora
