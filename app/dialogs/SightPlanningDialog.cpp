#include "app/dialogs/SightPlanningDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/NumericField.h"
#include "app/tasks/ObservationRecorderModel.h"

namespace navora {
namespace {

// Morning and Evening sit under "Twilight", which they belong to.
constexpr int kTwilightIndentChars = 4;

QString TitleOf(SightPlanningDialog::Kind kind) {
  return kind == SightPlanningDialog::Kind::kSkyChart
             ? QStringLiteral("Sight Planning - Sky Chart")
             : QStringLiteral("Sight Planning - Selected Stars");
}

}  // namespace

SightPlanningDialog::SightPlanningDialog(Kind kind, Notice& notice, EphemerisTable& ephemeris,
                                         ReferenceState& state, const PositionRecord& reference,
                                         FixDialog enterFix, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      enterFix_(enterFix ? std::move(enterFix) : MakeFixDialog(this, notice)),
      reference_(reference),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinute, this)),
      referenceGroup_(new ReferencePositionGroup(this)) {
  setWindowTitle(TitleOf(kind));
  auto* layout = new QVBoxLayout(this);

  auto* timeGroup = new QGroupBox(QStringLiteral("Planning Time"), this);
  other_ = new QRadioButton(QStringLiteral("&Other:"), timeGroup);
  twilight_ = new QRadioButton(QStringLiteral("T&wilight"), timeGroup);
  morning_ = new QRadioButton(QStringLiteral("Mor&ning"), timeGroup);
  evening_ = new QRadioButton(QStringLiteral("E&vening"), timeGroup);
  // Two choices, not four: each pair is exclusive on its own.
  auto* option = new QButtonGroup(this);
  option->addButton(other_);
  option->addButton(twilight_);
  auto* part = new QButtonGroup(this);
  part->addButton(morning_);
  part->addButton(evening_);
  auto* timeGrid = new QGridLayout(timeGroup);
  timeGrid->addWidget(other_, 0, 0, 1, 2);
  timeGrid->addWidget(twilight_, 1, 0, 1, 2);
  timeGrid->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * kTwilightIndentChars);
  timeGrid->addWidget(morning_, 2, 1);
  timeGrid->addWidget(evening_, 3, 1);
  timeGrid->setRowStretch(4, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(date_);
  top->addWidget(timeGroup);
  layout->addLayout(top);
  layout->addWidget(referenceGroup_);
  connect(&referenceGroup_->EditButton(), &QPushButton::clicked, this, [this] {
    if (EditPlanningReference(notice_, enterFix_, reference_)) referenceGroup_->Show(reference_);
  });

  if (kind == Kind::kSelectedStars) {
    auto* precisionGroup = new QGroupBox(QStringLiteral("Expected Precision"), this);
    precision_ =
        new QCheckBox(QStringLiteral("&Show the expected precision of the fix"), precisionGroup);
    grade_ = new QComboBox(precisionGroup);
    for (const char* name : kQualityNames) grade_->addItem(QString::fromLatin1(name));
    auto* row = new QHBoxLayout(precisionGroup);
    row->addWidget(precision_);
    row->addStretch(1);
    row->addWidget(BuddyLabel("Si&ghts:", grade_, precisionGroup));
    row->addWidget(grade_);
    layout->addWidget(precisionGroup);
    connect(precision_, &QCheckBox::toggled, this, &SightPlanningDialog::UpdateEnabled);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // "Current Date" keeps the time typed: the model's rule, not the group's.
  QPushButton& currentDate = date_->CurrentDateButton();
  disconnect(&currentDate, &QPushButton::clicked, date_, nullptr);
  connect(&currentDate, &QPushButton::clicked, this, [this] {
    SightPlanningFields fields = Fields();
    SetCurrentPlanningDate(fields, NowJulianDate());
    SetFields(fields);
  });
  connect(twilight_, &QRadioButton::toggled, this, &SightPlanningDialog::UpdateEnabled);

  QWidget* order[] = {date_->MinuteField(),           other_,     twilight_, morning_, evening_,
                      &referenceGroup_->EditButton(), precision_, grade_};
  QWidget* previous = nullptr;
  for (QWidget* field : order) {
    if (field == nullptr) continue;
    if (previous != nullptr) setTabOrder(previous, field);
    previous = field;
  }

  SetFields(InitialSightPlanningFields(reference));
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

SightPlanningFields SightPlanningDialog::Fields() const {
  SightPlanningFields fields;
  fields.twilight = twilight_->isChecked();
  fields.morning = morning_->isChecked();
  fields.day = date_->Day();
  fields.monthIndex = date_->MonthIndex();
  fields.yearIndex = date_->YearIndex();
  fields.hour = EditText(*date_->HourField());
  fields.minute = EditText(*date_->MinuteField());
  fields.reference = reference_;
  if (precision_ != nullptr) {
    fields.showPrecision = precision_->isChecked();
    fields.grade = static_cast<uint16_t>(kQualityGood + grade_->currentIndex());
  }
  return fields;
}

void SightPlanningDialog::SetFields(const SightPlanningFields& fields) {
  (fields.twilight ? twilight_ : other_)->setChecked(true);
  (fields.morning ? morning_ : evening_)->setChecked(true);
  date_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  SetEditText(*date_->HourField(), fields.hour);
  SetEditText(*date_->MinuteField(), fields.minute);
  reference_ = fields.reference;
  referenceGroup_->Show(reference_);
  if (precision_ != nullptr) {
    precision_->setChecked(fields.showPrecision);
    grade_->setCurrentIndex(fields.grade - kQualityGood);
  }
  UpdateEnabled();
}

void SightPlanningDialog::UpdateEnabled() {
  const bool twilight = twilight_->isChecked();
  date_->HourField()->setEnabled(!twilight);
  date_->MinuteField()->setEnabled(!twilight);
  morning_->setEnabled(twilight);
  evening_->setEnabled(twilight);
  if (grade_ != nullptr) grade_->setEnabled(precision_->isChecked());
}

void SightPlanningDialog::accept() {
  PlanningField returnTo = PlanningField::kDay;
  if (!AcceptSightPlanningDialog(notice_, ephemeris_, state_, Fields(), request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* SightPlanningDialog::FieldWidget(PlanningField field) {
  switch (field) {
    case PlanningField::kMonth:
      return &date_->MonthField();
    case PlanningField::kYear:
      return &date_->YearField();
    case PlanningField::kHour:
      return date_->HourField();
    case PlanningField::kMinute:
      return date_->MinuteField();
    default:
      return &date_->DayField();
  }
}

}  // namespace navora
