#include "app/dialogs/RiseSetUnderwayDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

constexpr int kHeightDigits = 3;
// Room for the date row at its ease: the dialog is otherwise no wider than
// the reference group.
constexpr int kDateRowChars = 74;

}  // namespace

RiseSetUnderwayDialog::RiseSetUnderwayDialog(Notice& notice, EphemerisTable& ephemeris,
                                             ReferenceState& state, const PositionRecord& reference,
                                             FixDialog enterFix, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      enterFix_(enterFix ? std::move(enterFix) : MakeFixDialog(this, notice)),
      reference_(reference),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kNone, this)),
      zone_(new TimeZoneGroup(this)),
      body_(new RiseSetBodyGroup(this)),
      referenceGroup_(new ReferencePositionGroup(this)) {
  setWindowTitle(QStringLiteral("Rise/Set/Transit - Underway"));
  auto* layout = new QVBoxLayout(this);
  date_->setTitle(QStringLiteral("Date (UTC)"));
  date_->setMinimumWidth(fontMetrics().averageCharWidth() * kDateRowChars);
  layout->addWidget(date_);
  layout->addWidget(zone_);

  auto* heightGroup = new QGroupBox(QStringLiteral("&Height of Eye"), this);
  auto* heightRow = new QHBoxLayout(heightGroup);
  height_ = NewDigitsEdit(heightGroup, kHeightDigits);
  heightRow->addWidget(height_);
  heightRow->addWidget(new QLabel(QStringLiteral("Feet"), heightGroup));
  heightRow->addStretch();
  auto* heightAndBody = new QHBoxLayout;
  heightAndBody->addWidget(heightGroup);
  heightAndBody->addWidget(body_);
  layout->addLayout(heightAndBody);

  layout->addWidget(referenceGroup_);
  connect(&referenceGroup_->EditButton(), &QPushButton::clicked, this, [this] {
    if (EditRiseSetReference(notice_, enterFix_, reference_)) referenceGroup_->Show(reference_);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(&date_->CurrentDateButton(), &zone_->Hours());
  setTabOrder(zone_->LastField(), height_);
  setTabOrder(height_, body_->FirstField());
  setTabOrder(body_->LastField(), &referenceGroup_->EditButton());

  SetFields(InitialRiseSetUnderwayFields(reference));
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

RiseSetUnderwayFields RiseSetUnderwayDialog::Fields() const {
  RiseSetUnderwayFields fields;
  fields.day = date_->Day();
  fields.monthIndex = date_->MonthIndex();
  fields.yearIndex = date_->YearIndex();
  zone_->ReadInto(fields);
  fields.heightOfEye = EditText(*height_);
  fields.body = body_->Body();
  fields.reference = reference_;
  return fields;
}

void RiseSetUnderwayDialog::SetFields(const RiseSetUnderwayFields& fields) {
  date_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  zone_->Show(fields);
  SetEditText(*height_, fields.heightOfEye);
  body_->SetBody(fields.body);
  reference_ = fields.reference;
  referenceGroup_->Show(reference_);
}

void RiseSetUnderwayDialog::accept() {
  RiseSetField returnTo = RiseSetField::kDay;
  if (!AcceptRiseSetUnderwayDialog(notice_, ephemeris_, state_, Fields(), request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* RiseSetUnderwayDialog::FieldWidget(RiseSetField field) {
  switch (field) {
    case RiseSetField::kMonth:
      return &date_->MonthField();
    case RiseSetField::kYear:
      return &date_->YearField();
    case RiseSetField::kZoneHours:
      return &zone_->Hours();
    case RiseSetField::kZoneMinutes:
      return &zone_->Minutes();
    case RiseSetField::kHeightOfEye:
      return height_;
    default:
      return &date_->DayField();
  }
}

}  // namespace navora
